#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;

// The notice that a memory write was given up after its retries: the
// panel's database is incomplete and must be programmed again.
class CDlgPutFlashFailed : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IdNode = 2747;

    // address: the given-up command's reply address (network and node).
    explicit CDlgPutFlashFailed(std::uint8_t address, QWidget* parent = nullptr);

    QString NodeText() const;

private:
    QLabel* m_node = nullptr;
};
