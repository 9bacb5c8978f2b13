#pragma once
// Outside programs that tests read their results back with: found when the
// build was configured (tessera_test_uses_program in tests/CMakeLists.txt).

#include <QFileInfo>
#include <QString>

// Empty when `path` can be run; otherwise what to install.
inline QString missingProgram(const char* path, const char* package) {
    if (QFileInfo(QString::fromLocal8Bit(path)).isExecutable()) return {};
    return QStringLiteral("%1 is missing: install the Debian package %2 (tools/install-deps.sh)")
        .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(package));
}
