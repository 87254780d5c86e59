#pragma once
// Bytes to widget text and back. Program texts are UTF-8; bytes that are not
// valid UTF-8 (names inside instrument files) are shown as Latin-1.
#include <QString>
#include <string>

QString toQt(const std::string& bytes);
std::string fromQt(const QString& text);      // UTF-8
std::string fromQtLatin1(const QString& text); // one byte per character
