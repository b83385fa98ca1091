#include "LightItem.h"

TLightItem::TLightItem(int index, TItem *owner) : Index(index), Owner(owner)
{
    if (index == 0) {
        // The key light, on by default, to the left of the button.
        Enabled = 1;
        Ambient = {0.35f, 0.35f, 0.35f, 1.0f};
        Position = {-5.0f, 0.0f, 10.0f, 1.0f};
        Radius = 5.0f;
        Angle = 180.0f;
    } else if (index % 2 == 0) {
        // Even fill lights sit on the left, odd ones keep the block's right.
        Position.X = -20.0f;
        Angle = 180.0f;
    }
}
