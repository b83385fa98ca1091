// The button scene model: buttons, their states, captions, lights and the
// raw blocks of their 3D look.
#pragma once

#include "ButtonItem.h"
#include "Buttons.h"
#include "Item.h"
#include "LightItem.h"
#include "SceneBlocks.h"
#include "TextItem.h"
#include "TextProp.h"
