// Prepended to lurkfield-text.js for node: compile the whole program with V8's optimizing
// compiler before it starts. Otherwise V8 starts every function in its baseline compiler
// and optimizes those called often later; main, into which the build inlines the loop of
// turns, is called once and would stay baseline code. Worth about a tenth of a big
// world's turn.
require('v8').setFlagsFromString('--no-liftoff');
