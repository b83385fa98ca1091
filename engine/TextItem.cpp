#include "TextItem.h"

#include "SceneTexts.h"

TTextItem::TTextItem(TItem *owner) : Owner(owner)
{
    Text = DefaultCaption();
}
