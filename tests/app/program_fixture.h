#pragma once
// The whole program over a fresh filter bank, with scripted prompts, a
// temporary working directory (the plots write "temp.wmf" there) and
// settings of its own (the user's remembered settings are never read or
// written).

#include "Main.h"
#include "program.h"
#include "program_language.h"
#include "scripted_prompts.h"

#include "graph_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Points the program's remembered settings (the configuration folder) into
// a fresh folder for as long as it lives; a new one in the same place starts
// where the last ended.
struct SettingsFolder {
    QTemporaryDir folder;
    QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    SettingsFolder() { qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit()); }
    ~SettingsFolder() { qputenv("XDG_CONFIG_HOME", previous); }
    // The settings file within it.
    std::string file() const { return folder.filePath(QStringLiteral("tessera/tessera.conf")).toStdString(); }
};

// The windows speak `language` for as long as it lives.
struct SpokenLanguage {
    tessera::Language before = tessera::windowLanguage();
    explicit SpokenLanguage(tessera::Language language) { tessera::useLanguage(language); }
    ~SpokenLanguage() { tessera::useLanguage(before); }
};

struct ProgramFixture {
    SettingsFolder settings;
    QTemporaryDir folder;
    QString previousDir = QDir::currentPath();
    std::unique_ptr<tessera::FilterBankState> state = std::make_unique<tessera::FilterBankState>();
    ScriptedPrompts prompts;
    std::unique_ptr<tessera::TesseraProgram> program;

    ProgramFixture() {
        QDir::setCurrent(folder.path());
        program = std::make_unique<tessera::TesseraProgram>(*state, &prompts);
    }
    ~ProgramFixture() {
        program.reset();
        QDir::setCurrent(previousDir);
    }

    // The program ends and starts again over the same filter bank and settings.
    void restart() {
        program.reset();
        program = std::make_unique<tessera::TesseraProgram>(*state, &prompts);
    }

    TMainForm& frame() { return program->mainForm(); }
    tessera::FilterBankState& bank() { return *state; }
    std::string path(const char* name) const { return folder.filePath(QString::fromLatin1(name)).toStdString(); }
    void trigger(tessera::MenuCommand command) { frame().action(command)->trigger(); }
    QMdiSubWindow* window(const QString& name) {
        for (QMdiSubWindow* w : frame().mdiArea()->subWindowList())
            if (w->objectName() == name) return w;
        return nullptr;
    }
    TControlImage* plot(tessera::GraphWindow w) { return program->graphWindows().plot(w); }
};

inline QByteArray fileContents(const std::string& name) {
    QFile file(QString::fromStdString(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const std::string& name, const QByteArray& bytes) {
    QFile file(QString::fromStdString(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A TEF text measurement: `points` complex points from `first` to `last` Hz,
// every magnitude `magnitude`, reference magnitude `reference`.
inline void writeTdsFile(const QString& name, int points, double first, double last, double magnitude,
                         double reference) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray text = "\"TDS\"\r\n\"test measurement\"\r\n";
    for (int line = 3; line <= 31; ++line) {
        switch (line) {
        case 8: text += "\"Points\" " + QByteArray::number(points); break;
        case 9: text += "\"First\" " + QByteArray::number(first); break;
        case 10: text += "\"Last\" " + QByteArray::number(last); break;
        case 21: text += "\"Reference\" " + QByteArray::number(reference); break;
        default: text += "\"unused\" 0"; break;
        }
        text += "\r\n";
    }
    for (int k = 0; k < points; ++k) {
        const double re = magnitude * (k % 2 ? 0.6 : 0.8);
        const double im = magnitude * (k % 2 ? 0.8 : 0.6);
        text += QByteArray::number(re, 'f', 6).rightJustified(15, ' ') + " " + QByteArray::number(im, 'f', 6) + "\r\n";
    }
    file.write(text);
}
