// Failed expectations on QString show the text, not its bytes.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
