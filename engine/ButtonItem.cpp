#include "ButtonItem.h"

TButtonItem::TButtonItem(TItem *owner) : Owner(owner) {}
