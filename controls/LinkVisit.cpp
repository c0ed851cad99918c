#include "LinkVisit.h"

LinkVisit::LinkVisit(const QString& target) : m_strTarget(target) {}

LinkVisit::Outcome LinkVisit::Click(const QString& windowText, const Opener& open) {
    if (m_strTarget.isEmpty()) {
        m_strTarget = windowText;
    }
    if (m_strTarget.isEmpty()) {
        return Outcome::NothingToOpen;
    }
    if (!open(m_strTarget)) {
        return Outcome::Failed;
    }
    m_bVisited = true;
    return Outcome::Opened;
}
