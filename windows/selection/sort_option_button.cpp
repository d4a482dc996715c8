#include "sort_option_button.h"

#include <QAccessibleWidget>

namespace marlek {
namespace {

// A screen reader checks an option through its actions. The standard radio button's toggle
// unchecks it, which a checked option of an exclusive group ignores silently; here both toggle
// and press choose the option, as a click does.
class SortOptionAccessible : public QAccessibleWidget {
public:
    explicit SortOptionAccessible(SortOptionButton *button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled())
            names << toggleAction() << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override {
        if (!widget()->isEnabled())
            return;
        if (actionName == toggleAction() || actionName == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    SortOptionButton *button() const { return static_cast<SortOptionButton *>(widget()); }
};

QAccessibleInterface *sortOptionAccessible(const QString &, QObject *object) {
    if (auto *button = qobject_cast<SortOptionButton *>(object))
        return new SortOptionAccessible(button);
    return nullptr;
}

} // namespace

SortOptionButton::SortOptionButton(const QString &text, QWidget *parent)
    : QRadioButton(text, parent) {
    static const bool installed = [] {
        QAccessible::installFactory(sortOptionAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    connect(this, &QAbstractButton::clicked, this, &SortOptionButton::chosen);
}

// Runs whenever the program sets the checked state, also to the state the option already has.
void SortOptionButton::checkStateSet() {
    QRadioButton::checkStateSet();
    if (isChecked())
        emit chosen();
}

} // namespace marlek
