#pragma once
// What the readers and writers of files say to the user (messages.h tells
// how to use these). %1 is always the file's name.

#include "messages.h"

namespace tessera {

inline constexpr Wording kCannotCreateFile{"Cannot create file %1", "Kann Datei %1 nicht erstellen"};
inline constexpr Wording kCannotOpenFile{"Cannot open file %1", "Kann Datei %1 nicht öffnen"};

// Reading any file.
inline constexpr Wording kCannotReadFile{"Cannot read file %1", "Kann Datei %1 nicht lesen"};
inline constexpr Wording kNotRegularFile{
    "%1 is not a regular file (folder, device or pipe) and was not read",
    "%1 ist keine gewöhnliche Datei (Ordner, Gerät oder Pipe) und wurde nicht gelesen"};
inline constexpr Wording kFileTooLarge{"File %1 is too large and was not read",
                                       "Datei %1 ist zu groß und wurde nicht gelesen"};
inline constexpr Wording kLineTooLong{"File %1 holds a line that is too long and was not read",
                                      "Datei %1 enthält eine zu lange Zeile und wurde nicht gelesen"};
inline constexpr Wording kOutOfMemory{"Not enough memory to read file %1; nothing was changed",
                                      "Zu wenig Speicher, um Datei %1 zu lesen; nichts wurde geändert"};

// The settings file.
inline constexpr Wording kSettingsNotSaved{
    "The settings could not be saved in %1; they hold until the program ends",
    "Die Einstellungen konnten nicht in %1 gespeichert werden; sie gelten, bis das Programm endet"};
inline constexpr Wording kSettingsFileInUse{
    "The settings file %1 is held by another program; the settings hold for this session and are saved once it is "
    "free",
    "Die Einstellungsdatei %1 wird von einem anderen Programm gehalten; die Einstellungen gelten für diese Sitzung "
    "und werden gespeichert, sobald sie frei ist"};

// Configuration files.
inline constexpr Wording kConfigurationIncomplete{
    "File %1 is incomplete (fewer than 292 lines) and was not loaded",
    "Datei %1 ist unvollständig (weniger als 292 Zeilen) und wurde nicht geladen"};
inline constexpr Wording kConfigurationNumberTooLarge{"File %1 holds a number too large and was not loaded",
                                                      "Datei %1 enthält eine zu große Zahl und wurde nicht geladen"};

// Measurement files: the import's refusals have always been English.
inline constexpr Wording kNotAsciiFile = sameInBoth(" File %1 is not an ASCII-File! Can not import!");
inline constexpr Wording kMeasurementIncomplete = sameInBoth(" File %1 is incomplete! Can not import!");
inline constexpr Wording kTooFewPoints = sameInBoth(" File %1 declares fewer than 2 data points! Can not import!");
inline constexpr Wording kNothingAbove20Hz = sameInBoth(" File %1 has no data above 20 Hz! Can not import!");
// %1 the file, %2 the largest size the reader takes, such as "100 MB".
inline constexpr Wording kMeasurementTooLarge = sameInBoth(" File %1 is larger than %2! Can not import!");
inline constexpr Wording kMeasurementNumberTooLarge =
    sameInBoth(" File %1 holds a number too large to read! Can not import!");

// A text measurement refused at one of its lines: %2 is the line's number.
inline constexpr Wording kLineNotText = sameInBoth(" File %1, line %2: is not a text file! Can not import!");
// %3 quotes the column that failed. These say what their siblings say, in
// their words, under either language.
inline constexpr Wording kLineNumberUnreadable =
    sameInBoth(" File %1, line %2: holds a number too large to read or not finite: \"%3\"! Can not import!");
inline constexpr Wording kLineNotANumber =
    sameInBoth(" File %1, line %2: holds fewer than two numbers: \"%3\" is not a number! Can not import!");
inline constexpr Wording kLineNothingAfter =
    sameInBoth(" File %1, line %2: holds fewer than two numbers: nothing after \"%3\"! Can not import!");
inline constexpr Wording kLineFrequencyNotPositive =
    sameInBoth(" File %1, line %2: has a frequency of 0 Hz or below: \"%3\"! Can not import!");
inline constexpr Wording kLineNoDataBelow20kHz =
    sameInBoth(" File %1, line %2: has no data below 20 kHz! Can not import!");
inline constexpr Wording kLineFrequencyNotRising =
    sameInBoth(" File %1, line %2: has a frequency not above the one before! Can not import!");
inline constexpr Wording kLineNoDataLine = sameInBoth(" File %1, line %2: holds no data line! Can not import!");
inline constexpr Wording kLineSingleDataPoint =
    sameInBoth(" File %1, line %2: holds a single data point! Can not import!");
inline constexpr Wording kLineNoDataFrom20Hz =
    sameInBoth(" File %1, line %2: has no data from 20 Hz on! Can not import!");

// A file the Import command passes over, named where one was asked for.
inline constexpr Wording kNotMeasurementFile =
    sameInBoth("%1 is not a measurement file that Import reads (.frd, .txt, .csv or .tds).");

} // namespace tessera
