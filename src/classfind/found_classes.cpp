#include "classfind/found_classes.h"

#include <algorithm>

namespace ClassFind {

namespace {

bool SameService(const FoundClass& a, const QString& instance, const QString& seenOn) {
    return a.instance == instance && a.seenOn == seenOn;
}

}  // namespace

bool FoundClasses::found(const ResolvedService& service) {
    const std::vector<FoundClass> before = offered();
    seen_.erase(std::remove_if(seen_.begin(), seen_.end(),
                               [&](const FoundClass& c) {
                                   return SameService(c, service.instance, service.seenOn);
                               }),
                seen_.end());
    FoundClass found;
    if (ClassFromService(service, found)) seen_.push_back(found);
    const std::vector<FoundClass> after = offered();
    return !std::equal(before.begin(), before.end(), after.begin(), after.end(),
                       [](const FoundClass& a, const FoundClass& b) {
                           return a.address == b.address && a.pc == b.pc;
                       });
}

bool FoundClasses::lost(const QString& instance, const QString& seenOn) {
    const std::vector<FoundClass> before = offered();
    seen_.erase(
        std::remove_if(seen_.begin(), seen_.end(),
                       [&](const FoundClass& c) { return SameService(c, instance, seenOn); }),
        seen_.end());
    return offered().size() != before.size();
}

std::vector<FoundClass> FoundClasses::offered() const {
    std::vector<FoundClass> list;
    for (const FoundClass& c : seen_)
        if (std::none_of(list.begin(), list.end(),
                         [&](const FoundClass& o) { return o.address == c.address; }))
            list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [](const FoundClass& a, const FoundClass& b) {
        if (a.className != b.className) return a.className < b.className;
        return a.pc < b.pc;
    });
    return list;
}

}  // namespace ClassFind
