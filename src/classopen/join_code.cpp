#include "classopen/join_code.h"

#include <QRandomGenerator>

namespace ClassOpen {

namespace {

// Letters a pupil reads off a projector and types without mistaking one for another.
const char CodeLetters[] = "ACDEFHJKLMNPRTUVWXY34679";
const char SecretLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QString Random(const char* letters, int count, int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text += QLatin1Char(letters[QRandomGenerator::system()->bounded(count)]);
    return text;
}

}  // namespace

QString MakeJoinCode() {
    return Random(CodeLetters, sizeof CodeLetters - 1, 6);
}

QString CodeShown(const QString& code) {
    return code.left(3) + QLatin1Char(' ') + code.mid(3);
}

QString MakeSecret() {
    return Random(SecretLetters, sizeof SecretLetters - 1, 32);
}

}  // namespace ClassOpen
