// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C in the terminal)
// close the main window the way its close box does, so the program ends
// through its normal shutdown instead of being cut off.
#pragma once

class QWidget;

void CloseOnTerminationSignals(QWidget &window);
