#pragma once

#include <QIcon>
#include <QPushButton>

// A button drawn as an icon, a caption beside it and a raised frame.
class CLineButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    void SetIconText(const QIcon& icon, const QString& caption, int iconSize);
    QString Caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_iconSize = 0;
    QIcon m_icon;
    QString m_caption;
};
