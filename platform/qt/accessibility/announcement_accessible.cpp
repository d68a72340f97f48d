// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/announcement_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <memory>

namespace {

class CAnnouncementAccessible : public QAccessibleInterface {
 public:
  void SetText(const QString& text) { m_text = text; }

  bool isValid() const override { return true; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(qApp);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? m_text : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  QString m_text;
};

}  // namespace

void AnnounceToAssistiveTechnology(const QString& text) {
  if (!QAccessible::isActive() || text.isEmpty()) return;
  // One object for the run; the toolkit's accessibility cache owns it.
  static QAccessible::Id s_id = 0;
  auto* news = static_cast<CAnnouncementAccessible*>(QAccessible::accessibleInterface(s_id));
  if (!news) {
    auto owned = std::make_unique<CAnnouncementAccessible>();
    news = owned.get();
    s_id = QAccessible::registerAccessibleInterface(owned.release());
  }
  news->SetText(text);
  QAccessibleEvent shown(news, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}
