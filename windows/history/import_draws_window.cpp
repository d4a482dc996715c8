#include "import_draws_window.h"

#include "draw_import.h"
#include "game_range_fields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace marlek {
namespace {

constexpr ColumnRole kRoles[] = {ColumnRole::ignored, ColumnRole::date,       ColumnRole::year,
                                 ColumnRole::month,   ColumnRole::day,        ColumnRole::drawNumber,
                                 ColumnRole::main,    ColumnRole::bonus};

QString roleCaption(ColumnRole role) {
    switch (role) {
    case ColumnRole::date:
        return QStringLiteral("Date");
    case ColumnRole::year:
        return QStringLiteral("Year");
    case ColumnRole::month:
        return QStringLiteral("Month");
    case ColumnRole::day:
        return QStringLiteral("Day");
    case ColumnRole::drawNumber:
        return QStringLiteral("Draw number");
    case ColumnRole::main:
        return QStringLiteral("Main numbers");
    case ColumnRole::bonus:
        return QStringLiteral("Bonus numbers");
    case ColumnRole::ignored:
        break;
    }
    return QStringLiteral("(leave out)");
}

QString shown(const std::string &text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ImportDrawsWindow::ImportDrawsWindow(Desktop &desktop, const GameList &games, const QString &path,
                                     std::string text, QWidget *parent)
    : QDialog(parent), m_desktop(desktop), m_text(std::move(text)) {
    setObjectName(QStringLiteral("frmImportDraws"));
    setWindowTitle(QStringLiteral("Import Draws"));
    m_preview = previewRows(m_text, kPreviewRows);
    m_fields = new GameRangeFields(games, false, this);
    createWidgets(path);
    fillPreview();
}

void ImportDrawsWindow::createWidgets(const QString &path) {
    auto *layout = new QVBoxLayout(this);
    auto *file = new QLabel(QStringLiteral("File: %1").arg(QDir::toNativeSeparators(path)), this);
    file->setObjectName(QStringLiteral("lblFile"));
    file->setWordWrap(true);
    layout->addWidget(file);
    layout->addWidget(m_fields);

    m_layoutNote = new QLabel(this);
    m_layoutNote->setObjectName(QStringLiteral("lblLayout"));
    m_layoutNote->setWordWrap(true);
    layout->addWidget(m_layoutNote);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tblPreview"));
    m_table->setAccessibleName(QStringLiteral("The file's first rows, each column's role above it"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->setMinimumHeight(fontMetrics().height() * 14);
    layout->addWidget(m_table, 1);

    m_result = new QPlainTextEdit(this);
    m_result->setObjectName(QStringLiteral("txtResult"));
    m_result->setAccessibleName(QStringLiteral("What the import did"));
    m_result->setReadOnly(true);
    m_result->setPlaceholderText(QStringLiteral("The rows refused and the counts show here."));
    layout->addWidget(m_result, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("cmdImport"));
    m_import->setDefault(true);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    layout->addWidget(buttons);
    connect(m_import, &QPushButton::clicked, this, &ImportDrawsWindow::importClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 36);
}

void ImportDrawsWindow::fillPreview() {
    std::size_t columns = 0;
    for (const FileRow &row : m_preview)
        columns = std::max(columns, row.fields.size());
    const std::optional<ColumnLayout> named =
        m_preview.empty() ? std::nullopt : layoutFromHeader(m_preview.front().fields);
    m_headerKnown = named.has_value();
    m_layoutNote->setText(m_headerKnown
                              ? QStringLiteral("The header names the columns. Change a column's "
                                               "role if it is wrong.")
                              : QStringLiteral("The header does not say which columns hold the "
                                               "date and the numbers: choose each column's role."));
    // Row 0 holds the role boxes; the file's rows follow, the header first.
    m_table->setColumnCount(static_cast<int>(columns));
    m_table->setRowCount(static_cast<int>(m_preview.size()) + 1);
    QStringList headings;
    for (std::size_t c = 0; c < columns; ++c)
        headings << QStringLiteral("Column %1").arg(c + 1);
    m_table->setHorizontalHeaderLabels(headings);
    for (std::size_t c = 0; c < columns; ++c) {
        auto *box = new QComboBox(m_table);
        box->setObjectName(QStringLiteral("cboRole%1").arg(c + 1));
        box->setAccessibleName(QStringLiteral("Role of column %1").arg(c + 1));
        for (const ColumnRole role : kRoles)
            box->addItem(roleCaption(role), static_cast<int>(role));
        const ColumnRole role =
            named && c < named->roles.size() ? named->roles[c] : ColumnRole::ignored;
        box->setCurrentIndex(box->findData(static_cast<int>(role)));
        m_table->setCellWidget(0, static_cast<int>(c), box);
        m_roles.push_back(box);
    }
    for (std::size_t r = 0; r < m_preview.size(); ++r)
        for (std::size_t c = 0; c < m_preview[r].fields.size(); ++c)
            m_table->setItem(static_cast<int>(r + 1), static_cast<int>(c),
                             new QTableWidgetItem(shown(m_preview[r].fields[c])));
    m_table->resizeColumnsToContents();
}

QComboBox *ImportDrawsWindow::roleBox(int column) const {
    return column >= 0 && column < static_cast<int>(m_roles.size())
               ? m_roles[static_cast<std::size_t>(column)]
               : nullptr;
}

ColumnLayout ImportDrawsWindow::chosenLayout() const {
    ColumnLayout layout;
    for (const QComboBox *box : m_roles)
        layout.roles.push_back(static_cast<ColumnRole>(box->currentData().toInt()));
    return layout;
}

void ImportDrawsWindow::importClicked() {
    GameRange range;
    try {
        range = m_fields->read();
    } catch (const std::invalid_argument &error) {
        m_desktop.showMessage(this, shown(error.what()), kMessageTitle);
        return;
    }
    const ColumnLayout layout = chosenLayout();
    if (const std::string problem = layoutProblem(layout); !problem.empty()) {
        m_desktop.showMessage(this,
                              shown("The columns cannot be read so: " + problem +
                                    ". Choose each column's role above its rows."),
                              kMessageTitle);
        return;
    }
    m_desktop.setBusyPointer(this, true);
    try {
        DrawStore store(drawDatabasePath());
        const ImportSummary summary = importDrawFile(store, m_text, range.game, layout);
        QStringList lines;
        for (const std::string &line : importReportLines(summary))
            lines << shown(line);
        m_result->setPlainText(lines.join(QLatin1Char('\n')));
    } catch (const std::exception &error) { // a file that is none, a database that fails
        m_desktop.setBusyPointer(this, false);
        m_desktop.showMessage(this, shown(std::string("Nothing was imported: ") + error.what()),
                              kMessageTitle);
        return;
    }
    m_desktop.setBusyPointer(this, false);
}

} // namespace marlek
