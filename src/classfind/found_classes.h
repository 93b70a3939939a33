// The classes found on the network, as a browse reports them found and lost, merged into the
// list a group's Kelvira offers: one row per class address, however many ways it was seen.
#pragma once

#include <QString>
#include <vector>

#include "classfind/service_record.h"

namespace ClassFind {

class FoundClasses {
  public:
    // A service resolved (again): true when the list offered changed. A service that announces
    // no class Kelvira can join is left out; one resolved anew replaces what it said before.
    bool found(const ResolvedService& service);
    // The service `instance` seen on `seenOn` is gone: true when the list offered changed.
    bool lost(const QString& instance, const QString& seenOn);
    // The classes offered, one per address, by class and then PC.
    std::vector<FoundClass> offered() const;

  private:
    std::vector<FoundClass> seen_;  // one per instance and place it was seen on
};

}  // namespace ClassFind
