// A page that takes the width it is given and scrolls up and down when it
// is taller than its room, rather than having its controls squeezed below
// their height.
#pragma once

class QScrollArea;
class QWidget;

// A frameless scroll area holding the page.
QScrollArea *VerticalScroller(QWidget *page);
