#include "catalogue_window.h"

#include "sort_option_button.h"
#include "window_units.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace marlek {
namespace {

QString qText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CatalogueWindow::CatalogueWindow(int kind, Session &session, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session) {
    setObjectName(kind == 5 ? QStringLiteral("Form1") : QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qText(catalogueCaption(kind)));
    createWidgets();
    layOutInTwips();
    connectSignals();
    setHints();
    Form_Load();
}

void CatalogueWindow::createWidgets() {
    Label1 = new QLabel(qText(kCatalogueHeading), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(tr("Wheels"));
    if (m_kind == 5)
        List1->setToolTip(qText(kCatalogueListToolTip));

    Frame1 = new QGroupBox(qText(kSortFrameCaption), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    m_sortGroup = new QButtonGroup(this);
    for (int index = 0; index < 3; ++index) {
        Option1[index] = new SortOptionButton(qText(kSortOptionCaptions[index]), Frame1);
        Option1[index]->setObjectName(QStringLiteral("Option1_%1").arg(index));
        m_sortGroup->addButton(Option1[index], index);
    }
    Option1[0]->setChecked(true);

    Command4 = new QPushButton(tr("OK"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setEnabled(false); // nothing to play before the first click on a row
    Command4->setDefault(true);
    Command3 = new QPushButton(tr("Cancel"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    setTabOrder(List1, Option1[0]);
    setTabOrder(Option1[0], Command4);
    setTabOrder(Command4, Command3);
    List1->setFocus();
}

void CatalogueWindow::layOutInTwips() {
    const auto x = [this](int twips) { return twipsToPixelsX(this, twips); };
    const auto y = [this](int twips) { return twipsToPixelsY(this, twips); };
    const int listHeight = m_kind == 5 ? 3630 : 3900;

    setClientSizeTwips(this, 5310, 6330);
    setFixedSize(size());
    Label1->setGeometry(x(60), 0, x(5190), y(240));
    List1->setGeometry(x(60), y(240), x(5172), y(listHeight));
    Frame1->setGeometry(x(120), y(4440), x(2292), y(1452));
    for (int index = 0; index < 3; ++index)
        Option1[index]->setGeometry(x(240), y(300 + index * 360), x(1900), y(300));
    Command4->setGeometry(x(2640), y(4680), x(972), y(372));
    // Cancel stands a little apart from OK, not against it.
    Command3->setGeometry(x(3720), y(4680), x(972), y(372));
    widenToFitTexts();
    const int statusHeight = StatusBar1->sizeHint().height();
    StatusBar1->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void CatalogueWindow::widenToFitTexts() {
    // The heading and the rows were measured for a narrower font than most desktops use: give the
    // heading, the list and the window the width they need, and leave everything else in place.
    int widestRow = 0;
    for (CatalogueOrder order : {CatalogueOrder::Initial, CatalogueOrder::CostTickets,
                                 CatalogueOrder::Numbers, CatalogueOrder::Guarantee})
        for (const CatalogueRow &row : catalogueRows(m_kind, order))
            widestRow =
                std::max(widestRow, List1->fontMetrics().horizontalAdvance(qText(row.text)));
    const int listNeeds = widestRow + 2 * List1->frameWidth() +
                          List1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                          2 * List1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    // The heading's last word keeps a margin from the window's right edge, as the list does.
    const int headingNeeds = Label1->sizeHint().width() + List1->fontMetrics().averageCharWidth();
    const int extra = std::max({0, listNeeds - List1->width(), headingNeeds - Label1->width()});
    if (extra == 0)
        return;
    List1->resize(List1->width() + extra, List1->height());
    Label1->resize(Label1->width() + extra, Label1->height());
    setFixedSize(width() + extra, height());
}

void CatalogueWindow::connectSignals() {
    // An option sorts however it is checked, also when it was checked already: a click, a key, the
    // program or assistive technology. Where one check reports twice, the list is filled once.
    for (int index = 0; index < 3; ++index)
        connect(Option1[index], &SortOptionButton::chosen, this,
                [this, index] { Option1_Click(index); });
    connect(m_sortGroup, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            Option1_Click(index);
    });
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_filling && !List1->selectedItems().isEmpty())
            List1_Click();
    });
    connect(List1, &QListWidget::itemDoubleClicked, this, &CatalogueWindow::List1_DblClick);
    connect(Command4, &QPushButton::clicked, this, &CatalogueWindow::Command4_Click);
    connect(Command3, &QPushButton::clicked, this, &CatalogueWindow::Command3_Click);
}

void CatalogueWindow::setHints() {
    m_hints.insert(this, qText(kHintBackground));
    m_hints.insert(List1->viewport(), qText(kHintList));
    m_hints.insert(Label1, qText(kHintHeading));
    m_hints.insert(Frame1, qText(kHintSortFrame));
    m_hints.insert(Command4, qText(kHintOk));
    m_hints.insert(Command3, qText(kHintCancel));
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it) {
        auto *widget = static_cast<QWidget *>(it.key());
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

bool CatalogueWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseMove) {
        // A move that an element passes on to the window is not over the background.
        const auto *move = static_cast<QMouseEvent *>(event);
        const bool overBackground = watched != this || !childAt(move->position().toPoint());
        const auto hint = m_hints.constFind(watched);
        if (overBackground && hint != m_hints.cend() && StatusBar1->currentMessage() != *hint)
            StatusBar1->showMessage(*hint);
    }
    return QDialog::eventFilter(watched, event);
}

void CatalogueWindow::Form_Load() {
    placeWindow(this, 0.9);
    // Pick 5 opens with its own first list; Pick 6 goes through its first sort button.
    if (m_kind == 5)
        fillList(CatalogueOrder::Initial);
    else
        Option1_Click(0);
    StatusBar1->showMessage(qText(kHintList));
}

void CatalogueWindow::Option1_Click(int index) {
    if (const auto order = orderOfOption(index); order && order != m_shownOrder)
        fillList(*order);
}

void CatalogueWindow::fillList(CatalogueOrder order) {
    // chosenWheel and the state of "OK" survive a re-sort: "OK" still plays the row clicked before.
    m_filling = true;
    m_shownOrder = order;
    List1->clear();
    for (const CatalogueRow &row : catalogueRows(m_kind, order)) {
        auto *item = new QListWidgetItem(qText(row.text), List1);
        item->setData(Qt::UserRole, row.itemData);
    }
    m_filling = false;
}

void CatalogueWindow::List1_Click() {
    // The selected row, however it was selected; the current row may be another one.
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    const QListWidgetItem *item = selected.front();
    chosenWheel = static_cast<std::int16_t>(item->data(Qt::UserRole).toInt());
    Command4->setEnabled(true);
}

void CatalogueWindow::List1_DblClick() {
    List1_Click();
    choosewheel(chosenWheel);
}

void CatalogueWindow::Command4_Click() {
    choosewheel(chosenWheel);
}

void CatalogueWindow::Command3_Click() {
    close();
}

void CatalogueWindow::choosewheel(int code) {
    const CatalogueChoice choice = chooseWheel(m_kind, code);
    switch (choice.next) {
    case NextWindow::NumberPicker:
        pick6loader(choice.wheel);
        break;
    case NextWindow::Generator:
        close();
        m_session.navigator.openGeneratorFromCatalogue(m_kind);
        break;
    case NextWindow::None:
        break;
    }
}

void CatalogueWindow::pick6loader(const WheelChoice &wheel) {
    // The picker takes the catalogue's place under the main window.
    QWidget *owner = parentWidget();
    close();
    m_session.navigator.playWheel(wheel, owner);
}

} // namespace marlek
