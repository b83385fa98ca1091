// One button of a menu: its name, link properties and three states.
#pragma once

#include "Item.h"
#include "TextProp.h"

#include <array>
#include <string>

class TProj;

enum TStateIndex { stNormal = 0, stOver = 1, stPressed = 2 };
constexpr int StateCount = 3;

class TButtons {
public:
    explicit TButtons(TProj *owner);
    TButtons(const TButtons &) = delete;
    TButtons &operator=(const TButtons &) = delete;

    TProj *Owner;  // not owned
    std::string Name;
    TButtonProp Prop;
    std::array<TItem, StateCount> States;  // normal, over, pressed
};
