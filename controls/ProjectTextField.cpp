#include "ProjectTextField.h"

#include "Codepage.h"

#include <QApplication>
#include <QLineEdit>
#include <QValidator>

namespace {

// The characters a single-line field draws as blanks.
bool ShownAsBlank(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
           c == QChar::ObjectReplacementCharacter;
}

class TProjectTextValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        for (QChar &c : input)
            if (ShownAsBlank(c))
                c = u' ';
        return FromAnsi(ToAnsi(input)) == input ? Acceptable : Invalid;
    }
};

}  // namespace

void TakeProjectText(QLineEdit &field)
{
    field.setValidator(new TProjectTextValidator(&field));
    QObject::connect(&field, &QLineEdit::inputRejected, &field, &QApplication::beep);
}

void ShowProjectText(QLineEdit &field, const QString &text)
{
    const QValidator *filter = field.validator();
    field.setValidator(nullptr);
    field.setText(text);
    field.setValidator(filter);
}

void EnterProjectText(QLineEdit &field, const QString &text)
{
    field.selectAll();
    field.insert(text);
}
