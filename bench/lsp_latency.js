// Latencies of dialoscope-lsp as an editor feels them, on gen-script's workloads: edit to
// diagnostics, hover / definition / completion on a large script, workspace symbols on a project,
// and a hover while the project is still being indexed. A benchmark, not a test: it prints
// p50 / p95 beside the targets and fails only when the server does not answer at all.
//   node lsp_latency.js SERVER SCRIPT_DIR PROJECT_DIR [COUNT]
// SCRIPT_DIR holds talk.ipp and talk.msg, PROJECT_DIR holds scripts.lst and s001.ipp ...;
// COUNT (default 100) edits or requests per measure. NODE_PATH must hold vscode-jsonrpc and
// vscode-languageserver-protocol (the editor tests' npm ci puts them into the build folder).
'use strict';
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { performance } = require('node:perf_hooks');
const { pathToFileURL } = require('node:url');
const rpc = require('vscode-jsonrpc/node');
const lsp = require('vscode-languageserver-protocol');

const [serverPath, scriptDir, projectDir, countArgument] = process.argv.slice(2);
const count = Number(countArgument ?? 100);
// A few rounds before the measured ones, so the first analyses and allocations are not counted.
const warmup = 5;
const codePage = 'windows-1252';

// One server process with its client connection; diagnostics are handed to whoever waits for
// that URI and version.
class TSession {
    constructor(root) {
        this.server = spawn(serverPath, [], { stdio: ['pipe', 'pipe', 'inherit'] });
        this.connection = rpc.createMessageConnection(
            new rpc.StreamMessageReader(this.server.stdout), new rpc.StreamMessageWriter(this.server.stdin));
        this.waiters = [];
        this.connection.onNotification(lsp.PublishDiagnosticsNotification.type, (params) => {
            const now = performance.now();
            this.waiters = this.waiters.filter((w) => !(w.accept(params) && (w.resolve(now), true)));
        });
        this.connection.onRequest(lsp.ConfigurationRequest.type, (params) => params.items.map(() => ({ codePage })));
        for (const method of ['client/registerCapability', 'workspace/codeLens/refresh', 'workspace/semanticTokens/refresh']) {
            this.connection.onRequest(method, () => null);
        }
        this.connection.listen();
        this.root = root;
    }
    async Initialize() {
        const uri = pathToFileURL(this.root).href;
        await this.Request(lsp.InitializeRequest.type, {
            processId: process.pid, rootUri: uri, capabilities: {},
            workspaceFolders: [{ uri, name: path.basename(this.root) }],
            initializationOptions: { codePage, originalFolder: '' } });
        this.connection.sendNotification(lsp.InitializedNotification.type, {});
    }
    // Resolves with the time the diagnostics of uri at version arrived; fails after 60 s.
    DiagnosticsAt(uri, version) {
        return new Promise((resolve, reject) => {
            const timer = setTimeout(() => reject(new Error(`no diagnostics for ${uri} version ${version}`)), 60000);
            this.waiters.push({ accept: (p) => p.uri === uri && p.version === version,
                                resolve: (t) => { clearTimeout(timer); resolve(t); } });
        });
    }
    async Request(type, params) {
        let timer;
        const timeout = new Promise((_, reject) => (timer = setTimeout(() => reject(new Error(`no answer to ${type.method}`)), 60000)));
        return Promise.race([this.connection.sendRequest(type, params), timeout]).finally(() => clearTimeout(timer));
    }
    // The request's answer and its latency in ms.
    async Timed(type, params) {
        const start = performance.now();
        const answer = await this.Request(type, params);
        return { answer, ms: performance.now() - start };
    }
    async Close() {
        await this.Request(lsp.ShutdownRequest.type, undefined);
        const exited = new Promise((resolve) => this.server.on('exit', resolve));
        await this.connection.sendNotification(lsp.ExitNotification.type);
        await exited;
        this.connection.dispose();
    }
}

// An open document as the editor holds it: the text decoded from the code page (one UTF-16 unit
// per byte, so columns are byte columns), its lines and version.
class TDocument {
    constructor(session, file, languageId) {
        this.session = session;
        this.uri = pathToFileURL(file).href;
        this.lines = new TextDecoder(codePage).decode(fs.readFileSync(file)).split('\r\n');
        this.version = 1;
        session.connection.sendNotification(lsp.DidOpenTextDocumentNotification.type,
            { textDocument: { uri: this.uri, languageId, version: 1, text: this.lines.join('\r\n') } });
    }
    // Up to n places { line, character } where pattern matches, spread over the whole file;
    // group 1 of the pattern marks the character.
    Places(pattern, n = count) {
        const found = [];
        const withIndices = new RegExp(pattern.source, 'd');
        this.lines.forEach((text, line) => {
            const match = withIndices.exec(text);
            if (match) {
                found.push({ line, character: match.indices[1][0] });
            }
        });
        if (found.length === 0) {
            throw new Error(`nothing matches ${pattern} in ${this.uri}`);
        }
        const step = Math.max(1, Math.floor(found.length / n));
        return found.filter((_, i) => i % step === 0).slice(0, n);
    }
    // An incremental change of one line, as an editor sends a keystroke; the time it was sent.
    Change(line, start, end, text) {
        const old = this.lines[line];
        this.lines[line] = old.slice(0, start) + text + old.slice(end);
        this.session.connection.sendNotification(lsp.DidChangeTextDocumentNotification.type, {
            textDocument: { uri: this.uri, version: ++this.version },
            contentChanges: [{ range: { start: { line, character: start }, end: { line, character: end } }, text }] });
        return performance.now();
    }
    At(place) { return { textDocument: { uri: this.uri }, position: place }; }
}

// Nearest-rank percentile of the measured (post-warmup) latencies.
function Percentile(values, p) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.max(0, Math.ceil(p * sorted.length) - 1)];
}

const rows = [];
function Report(measure, values, target) {
    const kept = values.slice(-count);
    rows.push([measure, Percentile(kept, 0.5).toFixed(1), Percentile(kept, 0.95).toFixed(1), target]);
}

// A place in the middle of the file: the edits happen where a writer works, not at the top.
function Middle(places) { return places[Math.floor(places.length / 2)]; }

async function ScriptMeasures() {
    const session = new TSession(scriptDir);
    await session.Initialize();
    const script = new TDocument(session, path.join(scriptDir, 'talk.ipp'), 'dialoscope-script');
    const messages = new TDocument(session, path.join(scriptDir, 'talk.msg'), 'dialoscope-messages');
    await Promise.all([session.DiagnosticsAt(script.uri, 1), session.DiagnosticsAt(messages.uri, 1)]);

    // Alternately: type a letter at the end of a word of a message text and take it back, and
    // the same with a digit of an assignment in a node. A message file's change analyses its
    // script again, as the script's own does; each edit waits for its own diagnostics, as a
    // writer who pauses at every keystroke would see them.
    const word = Middle(messages.Places(/^\{\d+\}\{[^}]*\}\{[^}]*?(\S) /));
    const digit = Middle(script.Places(/:= (\d)/));
    const edits = [
        () => [messages, messages.Change(word.line, word.character + 1, word.character + 1, 'e')],
        () => [script, script.Change(digit.line, digit.character + 1, digit.character + 1, '0')],
        () => [messages, messages.Change(word.line, word.character + 1, word.character + 2, '')],
        () => [script, script.Change(digit.line, digit.character + 1, digit.character + 2, '')],
    ];
    // Whole rounds, so the texts end as they began and the requests below find their places.
    const rounds = Math.ceil((warmup + count) / edits.length) * edits.length;
    const diagnostics = [];
    for (let i = 0; i < rounds; ++i) {
        const [document, sent] = edits[i % edits.length]();
        diagnostics.push(await session.DiagnosticsAt(document.uri, document.version) - sent);
    }
    Report('didChange -> publishDiagnostics', diagnostics, 100);

    // The requests spread over the script, each asked after the diagnostics settled.
    const requests = [
        ['hover (message number)', lsp.HoverRequest.type, script.Places(/\bSay\(Self, \d+, (\d+)\)/)],
        ['definition (answer target)', lsp.DefinitionRequest.type, script.Places(/\bAnswer\(.*@(\w+)\)/)],
        ['completion (after @)', lsp.CompletionRequest.type, script.Places(/\bAnswer\(.*@(\w)/)],
    ];
    for (const [measure, type, places] of requests) {
        const latencies = [];
        for (let i = 0; i < warmup + count; ++i) {
            const { answer, ms } = await session.Timed(type, script.At(places[i % places.length]));
            const empty = answer === null || (Array.isArray(answer) && answer.length === 0) ||
                (answer.items && answer.items.length === 0);
            if (empty) {
                throw new Error(`${type.method} answered nothing at ${JSON.stringify(places[i % places.length])}`);
            }
            latencies.push(ms);
        }
        Report(measure, latencies, 20);
    }
    await session.Close();
}

// How many scripts the index answers for: every generated script has a Node001.
async function IndexedScripts(session) {
    const symbols = await session.Request(lsp.WorkspaceSymbolRequest.type, { query: 'Node001' });
    return new Set(symbols.filter((s) => s.name === 'Node001').map((s) => s.location.uri)).size;
}

async function ProjectMeasures() {
    const scripts = fs.readFileSync(path.join(projectDir, 'scripts.lst'), 'latin1').split('\n')
        .filter((l) => /\S/.test(l)).length;
    const session = new TSession(projectDir);
    const started = performance.now();
    await session.Initialize(); // initialized starts the indexing of scripts.lst
    // At once, as an editor restoring its tabs does: open a script and hover a message number in
    // it. The main thread answers while the indexing thread reads the project.
    const script = new TDocument(session, path.join(projectDir, 's001.ipp'), 'dialoscope-script');
    const { ms } = await session.Timed(lsp.HoverRequest.type,
        script.At(Middle(script.Places(/\bSay\(Self, \d+, (\d+)\)/))));
    const indexedThen = await IndexedScripts(session);
    rows.push([`hover while indexing (${indexedThen}/${scripts} indexed)`, ms.toFixed(1), '-', 20]);

    while (await IndexedScripts(session) < scripts) {
        await new Promise((resolve) => setTimeout(resolve, 20));
    }
    // Polled: accurate to the 20 ms between polls, counted from the initialize request.
    rows.push(['indexing done (ms after initialize)', (performance.now() - started).toFixed(0), '-', '-']);
    // The same first hover on another script of that size with the index made: what the one
    // above costs without indexing beside it (both analyse their script first).
    const other = new TDocument(session, path.join(projectDir, 's002.ipp'), 'dialoscope-script');
    const idle = await session.Timed(lsp.HoverRequest.type,
        other.At(Middle(other.Places(/\bSay\(Self, \d+, (\d+)\)/))));
    rows.push(['first hover, indexing done', idle.ms.toFixed(1), '-', 20]);

    // Queries as a user types them: a few letters of a node name, every one matching many nodes.
    const latencies = [];
    for (let i = 0; i < warmup + count; ++i) {
        const query = `Node${String(i % 100).padStart(2, '0')}`;
        latencies.push((await session.Timed(lsp.WorkspaceSymbolRequest.type, { query })).ms);
    }
    Report(`workspace/symbol (${scripts} scripts)`, latencies, 50);
    await session.Close();
}

async function Main() {
    await ScriptMeasures();
    await ProjectMeasures();
    const header = ['measure', 'p50 ms', 'p95 ms', 'target p95 ms'];
    const width = Math.max(...[header, ...rows].map((r) => r[0].length));
    for (const row of [header, ...rows]) {
        console.log(`${row[0].padEnd(width)}  ${row.slice(1).map((c) => String(c).padStart(15)).join('')}`);
    }
}

Main().then(() => process.exit(0), (error) => {
    console.error(`lsp_latency: ${error.message}`);
    process.exit(1);
});
