// Button templates: named copies of whole buttons with a picture of each
// state, one ".btn" file per template in the Templates folder. The file is
// a 32-bit count, then per entry the button record, the three pictures
// (each Width x Height RGBA pixels of its state, bottom row first) and the
// entry's name.
#pragma once

#include "BaseTemplate.h"
#include "Bitsmap.h"
#include "SceneU.h"
#include "Streams.h"

#include <QImage>
#include <array>
#include <memory>

class TProj;

namespace TemplateU {

// One entry: a button and the rendered picture of each of its states.
class TButtonItem : public TBaseItem {
public:
    explicit TButtonItem(TProj *owner);

    // The picture of a state (0 normal, 1 over, 2 pressed) upright, as a
    // 24-bit bitmap of that state's size; a null image for another index.
    QImage GetThumbnail(int index) const;

    std::array<TBitsmap, StateCount> Thumbnails;  // only the lower-left Width x Height count
    std::unique_ptr<TButtons> Button;
};

}  // namespace TemplateU

// The name of the template that a typed name or path stands for: its file
// name with a ".btn" ending (in any case, as typed for the dialog's
// extension) cut off, every other dot kept; empty when nothing is left.
std::string TemplateNameOf(const std::string &path);

class TButtonTemplate : public TBaseTemplate {
public:
    // New entries' buttons belong to owner, the project object.
    explicit TButtonTemplate(TProj *owner) : FOwner(owner) {}

    TemplateU::TButtonItem &GetItem(int index) const
    {
        return static_cast<TemplateU::TButtonItem &>(TBaseTemplate::GetItem(index));
    }

    // Appends a copy of button under name, made 80 x 20 with 8-point
    // captions, and renders its three pictures into the shared render buffer
    // (so whoever renders next marks that state dirty first). Sets Modified.
    void AddButton(const TButtons &button, const std::string &name);

    // Appends the entries of TemplatesDir + fileName. A missing or damaged
    // file ends the load quietly; the entries read before the damage stay
    // (LoadEntries). Returns why a file that is there could not be opened.
    std::string LoadFromFile(const std::string &fileName);

    // Replaces TemplatesDir + fileName by all entries and clears Modified;
    // a damaged file is kept aside first (SaveEntries). A failed save
    // leaves the old file and Modified and raises the file's save error.
    void SaveToFile(const std::string &fileName);

    // The entries as the file holds them: appended from a stream, which
    // raises the stream's error where it runs short, and written to one.
    void ReadFrom(TStream &stream);
    void WriteTo(TStream &stream) const;

private:
    TProj *FOwner;
};
