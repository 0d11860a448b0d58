#include "core/KindCounts.h"

#include "core/GameObject.h"

namespace {

// Counts the visited object one up or one down under its kind.
class CountChange final : public GameObjectVisitor {
public:
    CountChange(Census& kindCounts, bool arrives) : counts(kindCounts), arriving(arrives) {}
    void visit(Predator&) override { change(counts.predators); }
    void visit(Prey&) override { change(counts.prey); }
    void visit(Obstacle&) override { change(counts.obstacles); }

private:
    void change(std::uint64_t& count) const { count = arriving ? count + 1 : count - 1; }

    Census& counts;
    bool arriving;
};

} // namespace

void KindCounts::arrived(GameObject& object) {
    CountChange change(counts, true);
    object.accept(change);
}

void KindCounts::left(GameObject& object) {
    CountChange change(counts, false);
    object.accept(change);
}
