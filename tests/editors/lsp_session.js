// A long session against dialoscope-lsp as an editor holds one, on vscode-jsonrpc: every feature
// on a copy of examples/, incremental edits (also beyond the BMP), cancellation, requests that
// must fail without ending the server, then shutdown and exit.
//   node lsp_session.js SERVER EXAMPLES_COPY
// WAITING=name,name reports those checks as skipped: the features the server does not have yet.
'use strict';
const assert = require('node:assert/strict');
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const rpc = require('vscode-jsonrpc/node');
const lsp = require('vscode-languageserver-protocol');

const [serverPath, examples] = process.argv.slice(2);
const waiting = new Set((process.env.WAITING || '').split(',').filter(Boolean));
const server = spawn(serverPath, [], { stdio: ['pipe', 'pipe', 'inherit'] });
const connection = rpc.createMessageConnection(
    new rpc.StreamMessageReader(server.stdout), new rpc.StreamMessageWriter(server.stdin));
const exited = new Promise((resolve) => server.on('exit', (code) => resolve(code)));

const diagnostics = new Map();
const diagnosticWaiters = [];
connection.onNotification(lsp.PublishDiagnosticsNotification.type, ({ uri, diagnostics: list }) => {
    diagnostics.set(uri, list);
    diagnosticWaiters.forEach((wake) => wake());
});
connection.onRequest(lsp.ConfigurationRequest.type, (params) => params.items.map(() => ({
    codePage: 'windows-1252', originalFolder: examples })));
connection.onRequest('client/registerCapability', () => null);
connection.onRequest('workspace/codeLens/refresh', () => null);
connection.onRequest('workspace/semanticTokens/refresh', () => null);
connection.listen();

function Within(promise, what, ms = 10000) {
    let timer;
    const timeout = new Promise((_, reject) => (timer = setTimeout(() => reject(new Error(`no answer to ${what}`)), ms)));
    return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

// Resolves with the newest diagnostics of uri once they satisfy accept; fails with them after 10 s.
function Diagnostics(uri, accept) {
    return new Promise((resolve, reject) => {
        const look = () => {
            const list = diagnostics.get(uri) ?? [];
            if (!accept(list)) {
                return false;
            }
            clearTimeout(timer);
            resolve(list);
            return true;
        };
        const timer = setTimeout(() => reject(new Error(JSON.stringify(diagnostics.get(uri)))), 10000);
        if (!look()) {
            diagnosticWaiters.push(look);
        }
    });
}

// An open document: its text as the editor holds it, and its version.
class TDocument {
    constructor(file, languageId) {
        this.uri = pathToFileURL(file).href;
        this.text = new TextDecoder('windows-1252').decode(fs.readFileSync(file));
        this.version = 1;
        connection.sendNotification(lsp.DidOpenTextDocumentNotification.type,
            { textDocument: { uri: this.uri, languageId, version: 1, text: this.text } });
    }
    Lines() { return this.text.split('\r\n'); }
    // Where word stands on line (from 0), in UTF-16 code units as the protocol counts.
    At(line, word) {
        const character = this.Lines()[line].indexOf(word);
        assert.ok(character >= 0, `${word} not on line ${line}`);
        return { textDocument: { uri: this.uri }, position: { line, character } };
    }
    Offset({ line, character }) {
        return this.Lines().slice(0, line).reduce((sum, l) => sum + l.length + 2, 0) + character;
    }
    Edit(start, end, newText) {
        const range = { start, end };
        this.text = this.text.slice(0, this.Offset(start)) + newText + this.text.slice(this.Offset(end));
        connection.sendNotification(lsp.DidChangeTextDocumentNotification.type, {
            textDocument: { uri: this.uri, version: ++this.version }, contentChanges: [{ range, text: newText }] });
    }
    Insert(position, text) { this.Edit(position, position, text); }
}

const request = (type, ...params) => Within(connection.sendRequest(type, ...params), type.method ?? type);
const CodeActions = (found) => request(lsp.CodeActionRequest.type, {
    textDocument: { uri: script.uri }, range: found[0].range, context: { diagnostics: found } });
const lines = (locations, uri) => (locations ?? []).filter((l) => uri === undefined || l.uri === uri)
    .map((l) => (l.range ?? l.targetRange).start.line);
const hoverText = (hover) => JSON.stringify(hover?.contents ?? '');
const names = (symbols, kind) => symbols.flatMap((s) => [...(s.kind === kind ? [s.name] : []), ...names(s.children ?? [], kind)]);
const has = (diagnostic, line, code) => diagnostic.range.start.line === line && diagnostic.code === code;
// The script's diagnostics of one kind on one line, once there are any that say text.
const Found = async (line, code, text = /./) => {
    const wanted = (d) => has(d, line, code) && text.test(d.message);
    return (await Diagnostics(script.uri, (list) => list.some(wanted))).filter(wanted);
};
const misspelt = { line: 24, character: '  Answer(-1, 105, @Farewell'.length };

let capabilities, script, messages;
const nodes = ['Greeting', 'AskTown', 'AskSmith', 'PayToll', 'NoMoney', 'Farewell', 'Talk'];
const checks = {
    async initialize() {
        ({ capabilities } = await request(lsp.InitializeRequest.type, {
            processId: process.pid, rootUri: pathToFileURL(examples).href, capabilities: {},
            workspaceFolders: [{ uri: pathToFileURL(examples).href, name: 'examples' }],
            initializationOptions: { codePage: 'windows-1252', originalFolder: examples } }));
        connection.sendNotification(lsp.InitializedNotification.type, {});
        script = new TDocument(path.join(examples, 'de', 'guard.ipp'), 'dialoscope-script');
        messages = new TDocument(path.join(examples, 'de', 'guard.msg'), 'dialoscope-messages');
    },
    async capabilities() {
        const sync = capabilities.textDocumentSync;
        assert.equal(typeof sync === 'number' ? sync : sync.change, lsp.TextDocumentSyncKind.Incremental);
        const providers = ['hover', 'completion', 'definition', 'references', 'rename', 'documentSymbol',
            'workspaceSymbol', 'semanticTokens', 'foldingRange', 'codeLens', 'codeAction'];
        assert.deepEqual(providers.filter((p) => !capabilities[`${p}Provider`]), []);
    },
    async diagnosticsScript() {
        await Diagnostics(script.uri, (list) => list.some((d) => has(d, 57, 'missing-message')));
    },
    async diagnosticsMessages() {
        await Diagnostics(messages.uri, (list) => list.some((d) => has(d, 27, 'unused-message'))
            && list.some((d) => has(d, 12, 'untranslated')));
    },
    async configuration() {
        // Without an original folder the translation findings go; with it they come back.
        const configure = (originalFolder) => connection.sendNotification(lsp.DidChangeConfigurationNotification.type,
            { settings: { dialoscope: { codePage: 'windows-1252', originalFolder } } });
        configure('');
        await Diagnostics(messages.uri, (list) => list.some((d) => d.code === 'unused-message') && !list.some((d) => d.code === 'untranslated'));
        configure(examples);
        await Diagnostics(messages.uri, (list) => list.some((d) => has(d, 12, 'untranslated')));
    },
    async hoverMessage() {
        const text = hoverText(await request(lsp.HoverRequest.type, script.At(19, '100')));
        assert.match(text, /Nordtor von Mühlbach/);
        assert.match(text, /State your business/);
    },
    async hoverNode() {
        assert.match(hoverText(await request(lsp.HoverRequest.type, script.At(21, 'AskTown'))), /Greeting/);
    },
    async hoverMessageLine() {
        assert.match(hoverText(await request(lsp.HoverRequest.type, messages.At(9, '106'))), /AskTown/);
    },
    async completion() {
        const answer = await request(lsp.CompletionRequest.type, script.At(21, 'AskTown'));
        const labels = (answer?.items ?? answer ?? []).map((item) => item.label);
        assert.ok(['Farewell', 'NoMoney'].every((node) => labels.includes(node)), labels.join(' '));
    },
    async definition() {
        const answers = await Promise.all([script.At(21, 'AskTown'), script.At(11, 'AskTown')].map(
            (at) => request(lsp.DefinitionRequest.type, at)));
        assert.deepEqual(answers.map((a) => lines([a].flat(), script.uri)), [[27], [27]]);
        const message = [await request(lsp.DefinitionRequest.type, script.At(19, '100'))].flat();
        assert.deepEqual(lines(message, messages.uri), [3]);
    },
    async referencesNode() {
        const found = lines(await request(lsp.ReferencesRequest.type,
            { ...script.At(17, 'Greeting'), context: { includeDeclaration: false } }), script.uri);
        assert.ok([33, 42, 58, 74].every((line) => found.includes(line)), found.join(' '));
    },
    async referencesMessage() {
        const found = await request(lsp.ReferencesRequest.type, { ...script.At(30, '106'), context: { includeDeclaration: true } });
        assert.ok(lines(found, script.uri).includes(30) && lines(found, messages.uri).includes(9), JSON.stringify(found));
    },
    async rename() {
        const at = script.At(36, 'AskSmith');
        assert.ok(await request(lsp.PrepareRenameRequest.type, at));
        const edit = await request(lsp.RenameRequest.type, { ...at, newName: 'AskBlacksmith' });
        const edits = edit.changes?.[script.uri] ?? edit.documentChanges.find((c) => c.textDocument.uri === script.uri).edits;
        assert.deepEqual(lines(edits).sort((a, b) => a - b), [12, 22, 32, 36]);
    },
    async documentSymbols() {
        const symbols = await request(lsp.DocumentSymbolRequest.type, { textDocument: { uri: script.uri } });
        assert.deepEqual([...new Set(names(symbols, lsp.SymbolKind.Function))], nodes);
        assert.ok(names(symbols, lsp.SymbolKind.Namespace).length > 0);
    },
    async workspaceSymbols() {
        const found = (await request(lsp.WorkspaceSymbolRequest.type, { query: 'Ask' })).map((s) => s.name);
        assert.ok(found.includes('AskTown') && found.includes('AskSmith'), found.join(' '));
    },
    async semanticTokens() {
        const { data } = await request(lsp.SemanticTokensRequest.type, { textDocument: { uri: script.uri } });
        assert.ok(data.length > 0 && data.length % 5 === 0);
    },
    async foldingRanges() {
        const starts = (await request(lsp.FoldingRangeRequest.type, { textDocument: { uri: script.uri } })).map((r) => r.startLine);
        assert.ok(starts.includes(27), starts.join(' '));
    },
    async foldingComments() {
        const comments = (await request(lsp.FoldingRangeRequest.type, { textDocument: { uri: script.uri } }))
            .filter((r) => r.kind === lsp.FoldingRangeKind.Comment).map((r) => [r.startLine, r.endLine]);
        assert.deepEqual(comments, [[38, 39]]);
    },
    async codeLens() {
        const lenses = await request(lsp.CodeLensRequest.type, { textDocument: { uri: script.uri } });
        const resolved = await Promise.all(lenses.map((lens) => lens.command ? lens : request(lsp.CodeLensResolveRequest.type, lens)));
        assert.ok(resolved.length >= nodes.length && resolved.every((lens) => lens.command?.title));
    },
    async incrementalEdits() {
        script.Insert({ line: 20, character: 0 }, '  Say(Self, 1, 998);\r\n');
        await Diagnostics(script.uri, (list) => list.some((d) => d.range.start.line === 20 && /998/.test(d.message)));
        script.Edit({ line: 20, character: 0 }, { line: 21, character: 0 }, '');
        await Diagnostics(script.uri, (list) => !list.some((d) => /998/.test(d.message)) && list.some((d) => has(d, 57, 'missing-message')));
    },
    async beyondTheBmp() {
        // Two UTF-16 code units for one character the code page does not have: the columns after
        // it still meet the same bytes.
        script.Insert({ line: 19, character: 2 }, '<!-- \u{1F600} --> ');
        assert.match(hoverText(await request(lsp.HoverRequest.type, script.At(19, '100'))), /Nordtor/);
        script.Edit({ line: 19, character: 2 }, { line: 19, character: 14 }, '');
        assert.match(hoverText(await request(lsp.HoverRequest.type, script.At(19, '100'))), /Nordtor/);
    },
    async createNode() {
        // Farewell misspelt in an answer: create the node.
        script.Insert(misspelt, 'X');
        const actions = await CodeActions(await Found(24, 'missing-target', /FarewellX/));
        assert.ok(actions.some((a) => a.title.includes('FarewellX') && a.edit), JSON.stringify(actions));
    },
    async didYouMean() {
        // Names differ in letter case only: the finding proposes the node's own spelling.
        script.Edit({ line: 24, character: 19 }, { ...misspelt, character: misspelt.character + 1 }, 'farewell');
        const actions = await CodeActions(await Found(24, 'missing-target', /did you mean/));
        const edits = actions.flatMap((a) => a.edit?.changes?.[script.uri] ?? []);
        assert.ok(edits.some((e) => e.newText === 'Farewell'), JSON.stringify(actions));
    },
    async addMessage() {
        script.Edit({ line: 24, character: 19 }, misspelt, 'Farewell');
        // 118 of Rnd(117,119): add its line to the message file.
        const add = await CodeActions(await Found(57, 'missing-message'));
        assert.ok(add.some((a) => JSON.stringify(a.edit ?? {}).includes(messages.uri)), JSON.stringify(add));
    },
    async cancellation() {
        const settled = [];
        for (let i = 0; i < 20; i++) {
            const source = new rpc.CancellationTokenSource();
            settled.push(connection.sendRequest(lsp.WorkspaceSymbolRequest.type, { query: '' }, source.token)
                .then(() => 'answered', (error) => error.code));
            source.cancel();
        }
        const outcomes = await Within(Promise.all(settled), 'cancelled requests');
        assert.ok(outcomes.every((o) => ['answered', lsp.LSPErrorCodes.RequestCancelled, lsp.LSPErrorCodes.ContentModified].includes(o)), outcomes.join(' '));
    },
    async badRequests() {
        const code = (promise) => promise.then(() => 'answered', (error) => error.code);
        assert.equal(await code(request('dialoscope/noSuchMethod', {})), rpc.ErrorCodes.MethodNotFound);
        assert.notEqual(await code(request(lsp.HoverRequest.type, { textDocument: { uri: 42 }, position: 'x' })), 'answered');
        assert.notEqual(await code(request(lsp.RenameRequest.type, { ...script.At(36, 'AskSmith'), newName: '' })), 'answered');
        await request(lsp.HoverRequest.type, { textDocument: { uri: pathToFileURL(path.join(examples, 'gone.ipp')).href }, position: { line: 1e9, character: 1e9 } }).catch(() => null);
        assert.match(hoverText(await request(lsp.HoverRequest.type, script.At(19, '100'))), /Nordtor/);
    },
    async shutdown() {
        assert.equal(await request(lsp.ShutdownRequest.type), null);
        connection.sendNotification(lsp.ExitNotification.type);
        assert.equal(await Within(exited, 'exit', 5000), 0);
    },
};

(async () => {
    const counts = { passed: 0, failed: 0, skipped: 0 };
    for (const [name, run] of Object.entries(checks)) {
        if (waiting.has(name)) {
            console.log(`skip ${name} (waiting for the server)`);
            counts.skipped++;
            continue;
        }
        try {
            await run();
            console.log(`ok   ${name}`);
            counts.passed++;
        } catch (error) {
            console.log(`FAIL ${name}: ${error.message}`);
            counts.failed++;
        }
    }
    console.log(`${counts.passed} passed, ${counts.failed} failed, ${counts.skipped} skipped`);
    connection.dispose();
    server.kill();
    process.exit(counts.failed === 0 ? 0 : 1);
})();
