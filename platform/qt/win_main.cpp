// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "platform/framework.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/dialogs/message_box.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/window/window_factory.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

void PrepareApplication() {
  // Whole scale factors only, so that the tile pictures are enlarged by
  // whole pixels on a high-density screen and stay crisp.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}

}  // namespace

int AfxWinMain(CWinApp& app, int argc, char** argv) {
  PrepareApplication();
  int qtArgc = argc;
  QApplication qtApp(qtArgc, argv);
  InstallQtTranslations(qtApp);
  QApplication::setApplicationName(ToQString(app.m_pszAppName));
  // The menu entry's id, which a Wayland shell matches the window against
  // (its app_id) to give it the entry's name and icon. It moves with the
  // packaging's id.
  QGuiApplication::setDesktopFileName(QStringLiteral("invalid.karoblen.Karoblen"));

  CQtHost host;
  SetHost(&host);
  CQtWindowFactory windows;
  SetWindowFactory(&windows);

  int exitCode = 1;
  // A failed start-up has already told the player why.
  if (app.InitInstance()) exitCode = QApplication::exec();

  windows.DestroyMainWindow();
  SetWindowFactory(nullptr);
  SetHost(nullptr);
  return exitCode;
}

void AfxStartupFailureBox(int argc, char** argv, const std::string& text) {
  PrepareApplication();
  int qtArgc = argc;
  QApplication qtApp(qtArgc, argv);
  InstallQtTranslations(qtApp);
  const char* title = res::LoadString(AFX_IDS_APP_TITLE);
  QApplication::setApplicationName(ToQString(title));
  ShowMessageBox(nullptr, text, title, MB_OK | MB_ICONEXCLAMATION);
}
