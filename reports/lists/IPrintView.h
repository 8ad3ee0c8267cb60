#pragma once

// A right-pane view that prints itself when the reports form's Print asks.
class IPrintView
{
public:
    virtual ~IPrintView() = default;
    virtual void OnFilePrint() = 0;
};
