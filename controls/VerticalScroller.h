// A page that takes the width it is given and scrolls up and down when it
// is taller than its room, rather than having its controls squeezed below
// their height. It scrolls by whole rows (a row: the controls that stand
// side by side) and shows no row cut in half: a row that the bottom edge
// would cut is covered until it is scrolled in.
#pragma once

class QScrollArea;
class QWidget;

// A frameless scroll area holding the page.
QScrollArea *VerticalScroller(QWidget *page);
