#include "core/GameObject.h"

void GameObjectVisitor::visit(Predator&) {}
void GameObjectVisitor::visit(Prey&) {}
void GameObjectVisitor::visit(Obstacle&) {}

void NothingAI::act(GameObjectPtr) {}

void Predator::accept(GameObjectVisitor& visitor) { visitor.visit(*this); }
void Prey::accept(GameObjectVisitor& visitor) { visitor.visit(*this); }
void Obstacle::accept(GameObjectVisitor& visitor) { visitor.visit(*this); }
