#pragma once
// "Import Draws": a lottery's draw file shown by its first rows, each column with the role it
// plays (found from the header where the layout is a known one, else chosen by the player), the
// game it belongs to, and Import, after which the rows refused, the draws that disagree with stored
// ones and the counts are shown.

#include "desktop.h"
#include "draw_file.h"
#include "game_library.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace marlek {

class GameRangeFields;

// The open dialog's filter for draw files.
inline const QString kDrawFileFilter =
    QStringLiteral("Draw Files (*.csv *.txt)|*.csv *.txt|All Files (*)|*");

class ImportDrawsWindow : public QDialog {
public:
    // `text`: the file's bytes, read by the caller; `path` names it.
    ImportDrawsWindow(Desktop &desktop, const GameList &games, const QString &path,
                      std::string text, QWidget *parent = nullptr);

    // The rows shown, the header first.
    static constexpr std::size_t kPreviewRows = 8;

    // The layout the column boxes say now.
    ColumnLayout chosenLayout() const;

    QComboBox *roleBox(int column) const;
    QPlainTextEdit *result() const { return m_result; }

private:
    void createWidgets(const QString &path);
    void fillPreview();
    void importClicked();

    Desktop &m_desktop;
    std::string m_text;
    std::vector<FileRow> m_preview;
    bool m_headerKnown = false;

    GameRangeFields *m_fields = nullptr;
    QLabel *m_layoutNote = nullptr;
    QTableWidget *m_table = nullptr;
    std::vector<QComboBox *> m_roles;
    QPushButton *m_import = nullptr;
    QPlainTextEdit *m_result = nullptr;
};

} // namespace marlek
