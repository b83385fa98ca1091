// The application's windows and event queue as the controls ask about them:
// whether one of its windows is active, and taking waiting events out.
#pragma once

class QObject;

// Whether the window active for the application belongs to it.
bool IsActiveWindowOfThread();

// Takes the waiting events of one type for an object out of the event queue;
// a quit request is never taken out, so it is neither lost nor made up.
void RemovePendingMessage(QObject *window, int eventType);
