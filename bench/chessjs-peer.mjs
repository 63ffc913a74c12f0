// Finds chess.js where the benchmark scripts install it: bench/.peers/.
import { createRequire } from 'node:module';

export function loadChessJs() {
    const require = createRequire(new URL('./.peers/package.json', import.meta.url));
    try {
        return require('chess.js');
    } catch (error) {
        console.error('chess.js is not installed in bench/.peers: run the benchmark script');
        process.exit(1);
    }
}
