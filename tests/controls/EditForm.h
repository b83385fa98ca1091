// A form holding one file-name edit in a layout, as a dialog places it.
#pragma once

#include "KitEdit.h"

#include <QDialog>
#include <QVBoxLayout>

struct TEditForm {
    explicit TEditForm(int width)
    {
        auto *layout = new QVBoxLayout(&form);
        layout->addWidget(edit);
        form.resize(width, 40);
    }
    QDialog form;
    TFilenameEdit *edit = new TFilenameEdit(&form);
};
