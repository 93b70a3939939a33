// The customization file VEXO.TXT: colours, sensor, range mode, scale, port and the
// temperature-crossing messages, applied over the defaults once at start-up.
#pragma once

#include <QString>

#include "config/config_file.h"
#include "config/text_lines.h"

namespace Vexo {

// The defaults, then VEXO.TXT: colours, sensor, range mode, scale, port and the messages.
void ReadCustomization();

// The number at the start of `text`, 0 when there is none (blanks skipped, &H and &O read).
double LeadingNumber(const QString& text);

// ReadCustomization over a file already opened (or not): the defaults, then the file's
// lines, with the same log lines into Picture2.
void ReadCustomizationFrom(const ConfigFile& file);

// The folder VEXO.TXT is read from; a relative folder named in it is taken from there.
QString CustomizationFolder();

// One line of the file, leading blanks removed and ASCII letters in upper case, as the keys
// and rules are matched against it.
QString NormaliseLine(const QString& line);

// The value of the key `key` (as "HAN=", upper case) in the customization file, found where
// the program finds it: the text after the key on the last line holding it, blanks at its ends
// removed; empty when there is no such line or no file. For what must be known before the
// start-up reads the file (the class a class view watches, a demonstration's group).
QString CustomizationValue(QLatin1StringView key);

// A message rule line L (normalised) whose message is the next line of `input`.
void ReadAlertRule(const QString& rule, TextInput& input);

}  // namespace Vexo
