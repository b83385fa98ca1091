// The program's forms, made once at start-up in a fixed order and reached
// through these globals: the main window first (it makes Proj and Lang), then
// the options dialog, the template library dialog, the button-name dialog,
// the about box, the publish dialog and the template-button-name dialog.
// Each form's file declares its own global; CreateForms makes them all and
// FreeForms frees them in reverse order.
#pragma once

class TMainF;

extern TMainF *MainF;

void CreateForms();
void FreeForms();
