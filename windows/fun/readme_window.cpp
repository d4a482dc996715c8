#include "readme_window.h"

#include "generator_texts.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace marlek {

ReadMeWindow::ReadMeWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setAttribute(Qt::WA_DeleteOnClose);
    createWidgets();
    Form_Load();
}

void ReadMeWindow::createWidgets() {
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("What is Just for Fun?"));
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    // The text box is the whole window.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text1);

    const QFontMetrics metrics(Text1->font());
    resize(metrics.horizontalAdvance(QString(70, QLatin1Char('x'))), 17 * metrics.lineSpacing());
}

void ReadMeWindow::Form_Load() {
    setWindowTitle(QStringLiteral("Marlek's Lotto"));
    Text1->setPlainText(QString::fromStdString(informationText(6))
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace marlek
