// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/accessibility/announcement_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <array>
#include <cstddef>
#include <memory>
#include <utility>

#include "platform/qt/accessibility/accessible_override.h"

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
  // A screen reader behind on its queue reads each notification's name only
  // when it comes to it. Told through one object, the tally's rows, shown a
  // few hundred milliseconds apart, would all be read as the last of them;
  // so each piece of news has an object of its own, taken in turn from a few
  // kept for the run, which the toolkit's accessibility cache owns.
  constexpr std::size_t kObjects = 8;
  static std::array<QAccessible::Id, kObjects> s_ids{};
  static std::size_t s_next = 0;
  QAccessible::Id& id = s_ids[s_next];
  s_next = (s_next + 1) % kObjects;
  auto* news = static_cast<CAnnouncementAccessible*>(QAccessible::accessibleInterface(id));
  if (!news) {
    auto owned = std::make_unique<CAnnouncementAccessible>();
    news = owned.get();
    id = RegisterAccessibleInterface(std::move(owned));
  }
  news->SetText(text);
  QAccessibleEvent shown(news, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}
