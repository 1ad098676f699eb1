#pragma once

#include <QUndoCommand>

// One step of an editor's history. The change is made before the step is
// pushed, so the first redo, which the push runs, does nothing. Steps with the
// same non-empty merge key (one run of typing) become one, and a run that ends
// where it began leaves no step.
class EditStep : public QUndoCommand {
public:
    EditStep(const QString &text, QString mergeKey) : QUndoCommand(text), m_mergeKey(std::move(mergeKey)) {}

    int id() const final { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) final
    {
        const auto *later = static_cast<const EditStep *>(other);
        if (later->m_mergeKey != m_mergeKey || !absorb(*later))
            return false;
        setObsolete(changesNothing());
        return true;
    }
    void redo() final
    {
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        redoStep();
    }

protected:
    // Takes in the later step of the same run, when the two can be one.
    virtual bool absorb(const EditStep &later) = 0;
    virtual bool changesNothing() const = 0;
    virtual void redoStep() = 0;

private:
    QString m_mergeKey;
    bool m_pushed = true;
};
