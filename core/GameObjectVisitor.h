#pragma once
// Double dispatch on the kind of a game object. The base does nothing for any
// kind, so a visitor overrides only the kinds it cares about.
class Predator;
class Prey;
class Obstacle;

class GameObjectVisitor {
public:
    virtual ~GameObjectVisitor() = default;
    virtual void visit(Predator& predator);
    virtual void visit(Prey& prey);
    virtual void visit(Obstacle& obstacle);
};
