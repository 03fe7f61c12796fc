#pragma once
// The overlap rule over a growing register list, as a load and an import apply it: each new
// register is checked against every register accepted so far, in (at most) logarithmic time.

#include <map>
#include <memory_resource>
#include <set>
#include <string>
#include <utility>
#include <vector>

class host_register;

class register_overlap_index {
  public:
    // True when a register at number occupying width registers conflicts with one accepted
    // so far: the same first number, or ranges sharing a number.
    bool conflicts(int number, long long width) const;
    // Accepts a register (it must not conflict).
    void insert(int number, long long width);

    // conflicts / insert for a register, taking its width as whole + fraction count.
    bool conflicts(const host_register& reg) const;
    void insert(const host_register& reg);

  private:
    using range = std::pair<long long, long long>; // first, last

    // Accepted registers never overlap, so their non-empty ranges are disjoint and one
    // neighbour decides. Entries that arrive in ascending order (every map the editor saved)
    // go to flat arrays and are checked in constant time; the others go to trees kept in one
    // pool for locality.
    std::vector<int> ascending_numbers_;
    std::vector<range> ascending_ranges_;
    std::pmr::unsynchronized_pool_resource pool_;
    std::pmr::set<int> other_numbers_{&pool_};
    std::pmr::map<long long, long long> other_ranges_{&pool_};
};

// The message a load (and an import) shows for a register the overlap rule leaves out.
std::string conflicting_register_message(const host_register& reg);
