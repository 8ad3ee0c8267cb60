#pragma once

// A view of the open installation: the document tells it to refresh itself
// when what it shows has changed.
class IDocumentView
{
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate() = 0;
};
