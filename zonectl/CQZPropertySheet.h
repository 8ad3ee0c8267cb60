#pragma once

#include "platform/ControlAbi.h"

#include <QDialog>

#include <vector>

class CQZPage;

// The control's Properties verb: its own page, then the colour and font pages.
class CQZPropertySheet : public QDialog
{
    Q_OBJECT

public:
    CQZPropertySheet(const std::vector<ZcObject*>& objects, QWidget* parent = nullptr);

private:
    // Null for a class this library does not provide.
    static CQZPage* CreatePage(const char* clsid, QWidget* parent);
    void ApplyAll();

    std::vector<CQZPage*> m_pages;
};
