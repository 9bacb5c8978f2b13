#include "file_outcome.h"

namespace tessera::messages {

std::string cannotCreate(const std::string& name) { return "Kann Datei " + name + " nicht erstellen"; }
std::string cannotOpen(const std::string& name) { return "Kann Datei " + name + " nicht öffnen"; }

std::string cannotRead(const std::string& name) { return "Kann Datei " + name + " nicht lesen"; }
std::string notRegularFile(const std::string& name) {
    return name + " ist keine gewöhnliche Datei (Ordner, Gerät oder Pipe) und wurde nicht gelesen";
}
std::string fileTooLarge(const std::string& name) { return "Datei " + name + " ist zu groß und wurde nicht gelesen"; }
std::string lineTooLong(const std::string& name) {
    return "Datei " + name + " enthält eine zu lange Zeile und wurde nicht gelesen";
}
std::string outOfMemory(const std::string& name) {
    return "Zu wenig Speicher, um Datei " + name + " zu lesen; nichts wurde geändert";
}

std::string settingsNotSaved(const std::string& name) {
    return "The settings could not be saved in " + name + "; they hold until the program ends";
}
std::string settingsFileInUse(const std::string& name) {
    return "The settings file " + name +
           " is held by another program; the settings hold for this session and are saved once it is free";
}

std::string configurationIncomplete(const std::string& name) {
    return "Datei " + name + " ist unvollständig (weniger als 292 Zeilen) und wurde nicht geladen";
}
std::string configurationNumberTooLarge(const std::string& name) {
    return "Datei " + name + " enthält eine zu große Zahl und wurde nicht geladen";
}

namespace {
std::string importRefusal(const std::string& name, const char* reason) {
    return " File " + name + reason + " Can not import!";
}
} // namespace

std::string notAsciiFile(const std::string& name) { return importRefusal(name, " is not an ASCII-File!"); }
std::string measurementIncomplete(const std::string& name) { return importRefusal(name, " is incomplete!"); }
std::string tooFewPoints(const std::string& name) {
    return importRefusal(name, " declares fewer than 2 data points!");
}
std::string nothingAbove20Hz(const std::string& name) { return importRefusal(name, " has no data above 20 Hz!"); }
std::string measurementNumberTooLarge(const std::string& name) {
    return importRefusal(name, " holds a number too large to read!");
}

std::string measurementLineRefusal(const std::string& name, std::size_t line, const std::string& reason) {
    return importRefusal(name + ", line " + std::to_string(line) + ":", (" " + reason).c_str());
}

} // namespace tessera::messages
