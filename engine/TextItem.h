// The caption of a state: its text properties and its text shadow.
#pragma once

#include "Bitsmap.h"
#include "TextProp.h"

class TItem;

// Both records are bases, so a caption reads as TextItem.Text,
// TextItem.TextShadowDX...; Prop() and ShadowGroup() give the records that
// are copied and stored whole.
class TTextItem : public TTextProp, public TTextShadowGroup {
public:
    explicit TTextItem(TItem *owner);
    TTextItem(const TTextItem &) = delete;
    TTextItem &operator=(const TTextItem &) = delete;

    TTextProp &Prop() { return *this; }
    const TTextProp &Prop() const { return *this; }
    // Merges the caption, and outside draft mode its text shadow, into the
    // buffer's lower-left corner of the owning state's size.
    void Draw(TBitsmap &buffer) const;

    TTextShadowGroup &ShadowGroup() { return *this; }
    const TTextShadowGroup &ShadowGroup() const { return *this; }

    TItem *Owner;  // not owned
};
