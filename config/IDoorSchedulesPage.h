#pragma once

// What the network settings editor asks of its door-schedules page.
class IDoorSchedulesPage
{
public:
    enum class CommitMode { Write, Compare };

    // Write puts every door's schedules into the controllers table; Compare
    // writes nothing and only sets the changed flag on a difference.
    virtual void Commit(CommitMode mode) = 0;
    virtual bool Changed() const = 0;
    // Keeps the page from writing its lists when it is destroyed.
    virtual void SetNoCommitOnDestroy() = 0;

protected:
    ~IDoorSchedulesPage() = default;
};
