// Reproducible numbers for the Node benchmark and tests: a xorshift32 generator,
// so that every run measures and checks the same data.

/** A function that returns the next number in [0, 1) of the stream that `start` names. */
export function numberStream(start) {
  let x = (start >>> 0) || 0x9e3779b9;  // xorshift needs a state other than 0
  return () => {
    x ^= x << 13;
    x ^= x >>> 17;
    x ^= x << 5;
    return (x >>> 0) / 4294967296;
  };
}
