// The button engine's chief header: the scene model (buttons, their states,
// captions, lights and the raw blocks of their 3D look), the shared mesh,
// the render buffer and the colour helpers. A state renders with
// TItem::Render into RenderBuffer() and gives its image with
// TItem::GetBitmap.
#pragma once

#include "Bitsmap.h"
#include "ButtonItem.h"
#include "Buttons.h"
#include "ColorU.h"
#include "Item.h"
#include "LightItem.h"
#include "Mesh.h"
#include "Outline.h"
#include "SceneBlocks.h"
#include "TextItem.h"
#include "TextProp.h"
