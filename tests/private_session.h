// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A desktop session of the test run's own. File dialogs keep their history
// in the user's configuration, and the toolkit and the sound library keep
// runtime files in the session's directory (or in /tmp without one); here
// all of it goes to a temporary directory that ends with the run. No sound
// server of the tester's is reached, so the tests play nothing aloud.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

class CPrivateSession {
 public:
  CPrivateSession() {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_directory.filePath(QStringLiteral("config"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_directory.path()));
    qunsetenv("PULSE_SERVER");
  }

 private:
  QTemporaryDir m_directory;  // made private to its owner, as a runtime directory must be
};
