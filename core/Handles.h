#pragma once
// The shared handles of the simulation. Every object, behaviour and command is
// held by several owners at once (a grid cell, a command, a turn's list), so all
// of them live behind reference-counted handles; an empty handle is "nothing".
#include <boost/shared_ptr.hpp>

class GameObject;
class GameAI;
class Command;

typedef boost::shared_ptr<GameObject> GameObjectPtr;
typedef boost::shared_ptr<GameAI> GameAIPtr;
typedef boost::shared_ptr<Command> CommandPtr;
