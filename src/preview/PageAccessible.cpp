#include "preview/PageAccessible.h"

#include "preview/TQRPreview.h"

#include <QAccessibleWidget>

namespace zt::preview {

using namespace zt::pages;

namespace {

class PageViewAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PageViewAccessible(TQRPreview* view) : QAccessibleWidget(view, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }

    // The page is read, not edited: no selection, a cursor only for reading.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return FCursor; }
    void setCursorPosition(int position) override { FCursor = std::clamp(position, 0, characterCount()); }
    QString text(int start, int end) const override { return pageText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(pageText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString pageText() const { return static_cast<const TQRPreview*>(widget())->PageText(); }

    int FCursor = 0;
};

QAccessibleInterface* pageViewFactory(const QString& className, QObject* object)
{
    if (auto* view = qobject_cast<TQRPreview*>(object); view != nullptr && className == view->metaObject()->className())
        return new PageViewAccessible(view);
    return nullptr;
}

} // namespace

void InstallPageViewAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(pageViewFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zt::preview
