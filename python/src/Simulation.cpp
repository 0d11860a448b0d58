#include "Simulation.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <pthread.h>

#include "core/World.h"

namespace simulation {

namespace {

// A lock that serves its callers in the order they came (a ticket lock): a
// long step lets a waiting caller in at its next turn, and the step gets the
// simulation back after it, even while others keep asking.
struct Queue {
    std::mutex mutex;
    std::condition_variable served;
    // Changed with the mutex held; read without it between two turns.
    std::atomic<std::uint64_t> nextTicket = 0;
    std::atomic<std::uint64_t> serving = 0;
};

// Never destroyed: a World may still be let go of while the process ends.
alignas(Queue) unsigned char storage[sizeof(Queue)];
Queue* const queue = new (storage) Queue;

void take() {
    std::unique_lock lock(queue->mutex);
    const std::uint64_t ticket = queue->nextTicket++;
    queue->served.wait(lock, [&] { return queue->serving == ticket; });
}

void give() {
    {
        const std::lock_guard lock(queue->mutex);
        ++queue->serving;
    }
    queue->served.notify_all();
}

// In the child of a fork only the thread that forked is left, holding the
// simulation: the child starts with a free simulation of its own, made anew
// where the old one was (its mutex may be held by a thread the child lacks).
void freshInChild() { new (storage) Queue; }

} // namespace

void guardForks() { pthread_atfork(take, give, freshInChild); }

Hold::Hold() { take(); }

Hold::~Hold() { give(); }

bool Hold::othersWaiting() {
    return queue->nextTicket.load(std::memory_order_relaxed) >
           queue->serving.load(std::memory_order_relaxed) + 1;
}

Turn::Turn(World* world, Dice& dice) : found(theWorld), roll(dice) { theWorld = world; }

Turn::~Turn() { theWorld = found; }

} // namespace simulation
