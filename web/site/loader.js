// The program, loaded once for the page, its experiments and their workers.
// lurkfield.wasm is compiled once (in a worker: handed over by the page, since a
// compiled WebAssembly.Module can be posted), and every start of the board's
// program and every run of an experiment is a fresh instance of it, made by
// lurkfield.js's factory, as a process would be. Whatever fails on the way (a
// file missing, a .wasm this browser cannot compile, an instance that cannot be
// made, the program aborting as it starts) rejects the instance's promise with
// an Error that says what went wrong; a failed load is tried again next time.
// In a page the loads begin as this module is evaluated: index.html loads it at
// once, so that the program is compiled while the page's other modules arrive.
//   compiledProgram()          the compiled lurkfield.wasm (a promise)
//   useCompiledProgram(module) a worker's: the page's compiled module, instead of a fetch
//   startProgram(module)       a new instance; `module` is Emscripten's Module
//                              object, its callbacks and what the instance adds to it

// A load kept while it goes on and once it has succeeded, and forgotten once it
// failed, so that the next start tries again.
class KeptLoad {
  constructor(load) {
    this.load = load;
    this.promise = null;
  }

  get() {
    if (!this.promise) {
      const attempt = this.load();
      this.promise = attempt;
      attempt.catch(() => { if (this.promise === attempt) this.promise = null; });
    }
    return this.promise;
  }
}

async function compile() {
  let response;
  try {
    response = await fetch(new URL('lurkfield.wasm', import.meta.url));
  } catch (error) {
    throw new Error(`lurkfield.wasm could not be loaded: ${error.message}`);
  }
  if (!response.ok) throw new Error(`lurkfield.wasm could not be loaded (HTTP ${response.status})`);
  try {
    return await WebAssembly.compileStreaming(response);
  } catch (error) {
    throw new Error(`lurkfield.wasm is not a program this browser can run: ${error.message}`);
  }
}

async function loadFactory() {
  try {
    return (await import('./lurkfield.js')).default;
  } catch (error) {
    throw new Error(`lurkfield.js could not be loaded: ${error.message}`);
  }
}

const compiled = new KeptLoad(compile);
const factory = new KeptLoad(loadFactory);

if (typeof document !== 'undefined') {
  // A failure here is told by the start that asks for the program next.
  compiled.get().catch(() => {});
  factory.get().catch(() => {});
}

export function compiledProgram() {
  return compiled.get();
}

export function useCompiledProgram(module) {
  compiled.promise = Promise.resolve(module);
}

export async function startProgram(module) {
  const [create, program] = await Promise.all([factory.get(), compiled.get()]);
  return new Promise((resolve, reject) => {
    // Emscripten waits for `receive` for ever: a failure here must reject by itself.
    module.instantiateWasm = (imports, receive) => {
      WebAssembly.instantiate(program, imports).then((instance) => receive(instance, program))
        .catch((error) => reject(new Error(`the program could not be started: ${error.message}`)));
      return {};
    };
    create(module).then(resolve, (error) => reject(new Error(`the program stopped as it started: ${error.message}`)));
  });
}
