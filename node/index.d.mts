// Types of the ES module face of spatial-assembler: the same as the CommonJS one.
import addon = require('./index.js');

export * from './index.js';
export default addon;
