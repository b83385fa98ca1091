// One state of a button (normal, over or pressed): the unit that is rendered.
#pragma once

#include "ButtonItem.h"
#include "LightItem.h"
#include "RenderContext.h"
#include "TextItem.h"

#include <QImage>
#include <array>
#include <string>

class TButtons;

constexpr int MaxImageSide = 250;

// The size group is the base, so a state reads as Item.Width, Item.Height,
// Item.Background, Item.Antialias; SizeGroup() gives the 28 bytes that are
// stored and copied as one block.
class TItem : public TSizeGroup {
public:
    explicit TItem(TButtons *owner);
    TItem(const TItem &) = delete;
    TItem &operator=(const TItem &) = delete;

    TSizeGroup &SizeGroup() { return *this; }
    const TSizeGroup &SizeGroup() const { return *this; }

    // The image size kept within 1..250, whatever a file or caller stored:
    // every path that touches the render buffer goes through these.
    int ImageWidth() const;
    int ImageHeight() const;

    // The state's image from the render buffer, upright, 24 bits a pixel
    // (QImage::Format_RGB888), ImageWidth() x ImageHeight().
    QImage GetBitmap() const;

    // Renders the state into RenderBuffer() with its caption and clears
    // Dirty. Raises ERenderError when it cannot render; the buffer then holds
    // no picture.
    void Render();
    // Viewport and matrices: the button's square -1..1 fills the image,
    // widened on the side of the drop shadow.
    void SetupCamera() const;
    // 2 when the render is supersampled, else 1.
    int RenderScale() const;

    // Switches the fast preview on or off. The mesh size is process-wide,
    // so this also sets it for every state; see the definition.
    void SetDraft(bool draft);

    uint8_t Draft = 0;  // 1 while in draft mode; changed only by SetDraft
    TButtons *Owner;    // not owned
    std::string Name;
    // Set by whoever changes the state's geometry or renders it after another,
    // cleared by Render. The renderer compares every input of the shared
    // mesh itself, so a flag left clear never draws another state's mesh.
    uint8_t Dirty = 1;
    TButtonItem ButtonItem;
    TTextItem TextItem;
    std::array<TLightItem, LightCount> Lights;
    TRGBA Ambient{0.25f, 0.25f, 0.25f, 1.0f};  // light-model ambient

private:
    void RenderBody();
    void DrawShadow(bool rebuild, const TShadowLayerKey &layer);
    TShadowLayerKey ShadowLayerKey() const;
    void ApplyLights() const;
};
