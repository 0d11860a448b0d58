#!/usr/bin/env bash
# Writes the benchmark worlds into a directory:
#   big.config           1000 x 1000, obstacle density 10, 100,000 prey, 10,000 predators,
#                        reaction times 1, hearing 5, sight 5, prey eatable, obstacles block sight
#   huge.config          2000 x 2000 with four times the creatures, otherwise the same
#   deaf-and-far.config  the big world with hearing -1 and sight 30: every predator scans
#   loud.config          the big world with hearing 200
#   paint.config         400 x 300 with the big world's densities (12,000 prey, 1,200
#                        predators) and sight 10, for painting the board
#   late.config          the big world as a long run leaves it: 100 prey, 5,000 predators
#                        among the same obstacles (turn 500 of big has 215 prey, 4,947 predators)
# Usage: bench/make-worlds.sh DIR [DIVISOR]
#   DIVISOR shrinks each side by that factor and the creatures by its square (ranges stay),
#   which gives small worlds of the same density for quick checks.
set -euo pipefail

dir=${1:?usage: make-worlds.sh DIR [DIVISOR]}
div=${2:-1}
mkdir -p "$dir"

# world NAME COLUMNS ROWS PREY PREDATORS HEARING SIGHT
world() {
  local columns=$(($2 / div)) rows=$(($3 / div))
  local prey=$(($4 / (div * div))) predators=$(($5 / (div * div)))
  cat >"$dir/$1.config" <<CONFIG
grid.x $columns
grid.y $rows
obstacle.density 10
prey.number $prey
predator.number $predators
prey.reaction_time 1
predator.reaction_time 1
predator.hearing $6
predator.sight $7
prey.eatable 1
obstacle.blocks_los 1
CONFIG
}

world big 1000 1000 100000 10000 5 5
world huge 2000 2000 400000 40000 5 5
world deaf-and-far 1000 1000 100000 10000 -1 30
world loud 1000 1000 100000 10000 200 5
world paint 400 300 12000 1200 5 10
world late 1000 1000 100 5000 5 5
