#include "cUserName.h"

#include <utility>

namespace {

const QString KeyUserName = QStringLiteral("UserName");
const QString KeyBirthDay = QStringLiteral("BirthDay");
const QString KeySelected = QStringLiteral("Selected");
const QString KeyMyGroupId = QStringLiteral("MyGroupId");

} // namespace

ParamValue cUserName::kiParamValue(const QString& psParamKey) const
{
    if (psParamKey == KeyUserName) {
        return ParamValue::FromText(m_userName);
    }
    if (psParamKey == KeyBirthDay) {
        return ParamValue::FromDate(m_birthDay);
    }
    if (psParamKey == KeySelected) {
        return ParamValue::FromBool(m_selected);
    }
    if (psParamKey == KeyMyGroupId) {
        return ParamValue::FromInt32(m_myGroupId);
    }
    return ParamValue();
}

void cUserName::kiParamValue(const QString& psParamKey, const ParamValue& pvParamValue)
{
    if (psParamKey == KeyUserName) {
        m_userName = pvParamValue.ToText();
    } else if (psParamKey == KeyBirthDay) {
        if (const auto v = pvParamValue.ToDate()) {
            m_birthDay = *v;
        }
    } else if (psParamKey == KeySelected) {
        if (const auto v = pvParamValue.ToBool()) {
            m_selected = *v;
        }
    } else if (psParamKey == KeyMyGroupId) {
        if (const auto v = pvParamValue.ToInt32()) {
            m_myGroupId = *v;
        }
    }
}

cUserName* PeopleList::Item(qint32 plIndex) const
{
    return Valid(plIndex) ? m_items[static_cast<size_t>(plIndex - 1)].get() : nullptr;
}

cUserName& PeopleList::Add()
{
    m_items.push_back(std::make_unique<cUserName>());
    return *m_items.back();
}

void PeopleList::Remove(qint32 plIndex)
{
    if (Valid(plIndex)) {
        m_items.erase(m_items.begin() + (plIndex - 1));
    }
}

void PeopleList::Swap(qint32 a, qint32 b)
{
    if (Valid(a) && Valid(b)) {
        std::swap(m_items[static_cast<size_t>(a - 1)], m_items[static_cast<size_t>(b - 1)]);
    }
}
