// The setters of the kit's controls act only on a real change.
#pragma once

// Stores the value; false when the field held it already.
template <typename T>
bool AssignChanged(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
