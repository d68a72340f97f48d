// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the game's start-up: a plain Qt main window with the
// same menu, toolbar and status bar as the game's, and nothing in the middle.
// Prints "first-paint <ns>" (CLOCK_MONOTONIC) and "peak-kb <KiB>" once it has
// painted, then ends. With --wait it idles as long as the timed game does
// before it reports its peak, so that the game's later peaks have a fair
// yardstick too.
#include <time.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "first_exposure.h"
#include "peak_memory.h"
#include "res/binary_resources.h"
#include "res/command_resources.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Karoblen"));

  std::map<int, QAction*> actions;
  for (const res::MenuPopup& popup : res::MainMenu().popups) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(popup.text));
    for (const res::MenuItem& item : popup.items) {
      if (item.isSeparator()) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(Text(res::MenuItemLabel(item)));
      action->setShortcut(QKeySequence(Text(res::MenuItemShortcut(item))));
      action->setStatusTip(Text(res::CommandPrompt(item.command)));
      action->setToolTip(Text(res::CommandTooltip(item.command)));
      actions[item.command] = action;
    }
  }

  const auto bitmap = res::FindResource(res::ResourceType::Bitmap, IDB_TOOLBAR);
  const QPixmap strip =
      QPixmap::fromImage(QImage::fromData(bitmap.data(), static_cast<int>(bitmap.size()), "BMP"));
  QToolBar* toolBar = window.addToolBar(QStringLiteral("Toolbar"));
  toolBar->setIconSize(QSize(res::ToolbarButtonWidth, res::ToolbarButtonHeight));
  for (const res::ToolbarItem& item : res::ToolbarItems()) {
    if (item.isSeparator()) {
      toolBar->addSeparator();
      continue;
    }
    QAction* action = actions[item.command];
    action->setIcon(QIcon(strip.copy(item.imageIndex * res::ToolbarButtonWidth, 0,
                                     res::ToolbarButtonWidth, res::ToolbarButtonHeight)));
    toolBar->addAction(action);
  }

  window.statusBar()->showMessage(QStringLiteral("Ready"));
  for (const char* indicator : {"CAP", "NUM", "SCRL"})
    window.statusBar()->addPermanentWidget(new QLabel(QString::fromLatin1(indicator)));

  window.setCentralWidget(new QWidget);
  window.resize(640, 440);
  window.show();
  if (!WaitForFirstExposure()) return 1;
  window.repaint();

  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("first-paint %lld\n",
              static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  const auto reportPeakAndEnd = [] {
    std::printf("peak-kb %ld\n", PeakMemoryKb());
    std::fflush(stdout);
    std::_Exit(0);
  };
  if (argc < 2 || std::strcmp(argv[1], "--wait") != 0) reportPeakAndEnd();

  QTimer waited;
  waited.setSingleShot(true);
  QObject::connect(&waited, &QTimer::timeout, reportPeakAndEnd);
  waited.start(900);
  return QApplication::exec();
}
