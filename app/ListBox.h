// A list box whose Click comes from the user alone: a mouse click on an item
// or a keyboard move of the selection. Filling it and selecting from code
// stay quiet, so a form can set it up without running its handlers.
#pragma once

#include <QListWidget>

class TListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TListBox(QWidget *parent = nullptr);

    // The selected row, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
