// The ES module face of spatial-assembler: the same functions as the CommonJS one.
import addon from './index.js';

export const { pointCloud, atoms, mesh, trajectory, Scene, atomGlb, pointCloudGlb, meshGlb, promises, releaseMemory } = addon;
export const { bonds, colormap, mapValues, elementColors, colormapNames } = addon;
export default addon;
