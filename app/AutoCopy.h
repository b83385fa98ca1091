// The automatic copy: after every edit of the state panel the edited
// property group of the current state goes to the states that the main
// window's three switches name. It uses its own buffer, so a copy held for
// the paste commands stays as it is. Nothing is rendered and no target is
// marked dirty: a target shows its new look when it is next rendered.
#pragma once

// Copies the group (a TPropGroup) to the switched targets: with "to all
// buttons" on, every state of every button and nothing more; otherwise the
// current button's states with "to all states" on, then the same state of
// every button with "to same states" on. Nothing without a current state.
void AutoCopy(int group);

// The three copies, each of the groups AutoBufMode names.
void AutoCopyToAllButtons();
void AutoCopyToAllStates();
void AutoCopyToSameStates();
