#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

// One display of a telephone-entry panel: its two lines of 16 characters
// and how each is aligned.
class CDlgEditDisplayMessage : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kLines = 2;
    struct Line
    {
        int slot = 0;
        QString text;
        int justification = 0;
    };

    explicit CDlgEditDisplayMessage(QWidget* parent = nullptr);

    void SetLines(const std::array<Line, kLines>& lines);
    // As the operator left them; a justification the lists cannot show stays
    // as it was unless the operator picked one.
    std::array<Line, kLines> Lines() const;

    QLabel* SlotLabel(int line) const { return m_labels[static_cast<size_t>(line)]; }
    QLineEdit* TextEdit(int line) const { return m_edits[static_cast<size_t>(line)]; }
    QComboBox* AlignList(int line) const { return m_aligns[static_cast<size_t>(line)]; }

    // Stays open while a line holds a character the panel cannot show.
    void accept() override;

private:
    std::array<Line, kLines> m_lines{};
    std::array<QLabel*, kLines> m_labels{};
    std::array<QLineEdit*, kLines> m_edits{};
    std::array<QComboBox*, kLines> m_aligns{};
};
