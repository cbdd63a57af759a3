// Show Dialog Map: the dialog around the node at the cursor, drawn by `dialoscope-cli graph
// --around NODE --steps N --format svg`. Clicking a node centres the map on it and shows it in
// the script; the buttons widen or narrow the map.
import * as vscode from 'vscode';
import { NodeAtCursor, NodeLine } from './node_at_cursor';
import { RunCli, UnsavedNote } from './programs';
import { Escape, Page } from './webview';

const clickScript = `
for (const node of document.querySelectorAll('svg g.node')) {
    node.addEventListener('click', () =>
        vscode.postMessage({ node: node.querySelector('title').textContent }));
}
for (const button of document.querySelectorAll('button[data-steps]')) {
    button.addEventListener('click', () => vscode.postMessage({ steps: Number(button.dataset.steps) }));
}`;

export class TMapView {
    private panel?: vscode.WebviewPanel;
    private script?: vscode.Uri;
    private node = '';
    private steps = 2;

    async Show(editor: vscode.TextEditor): Promise<void> {
        const node = await NodeAtCursor(editor);
        if (node === undefined) {
            vscode.window.showWarningMessage('Dialoscope: place the cursor inside a dialog node.');
            return;
        }
        this.script = editor.document.uri;
        this.node = node;
        this.OpenPanel();
        await this.Render();
    }

    private OpenPanel(): void {
        if (this.panel !== undefined) {
            this.panel.reveal(vscode.ViewColumn.Beside, true);
            return;
        }
        this.panel = vscode.window.createWebviewPanel('dialoscope.map', 'Dialog Map',
            { viewColumn: vscode.ViewColumn.Beside, preserveFocus: true }, { enableScripts: true });
        this.panel.onDidDispose(() => (this.panel = undefined));
        this.panel.webview.onDidReceiveMessage((message) => this.OnMessage(message));
    }

    private async OnMessage(message: { node?: string; steps?: number }): Promise<void> {
        if (message.steps !== undefined) {
            this.steps = message.steps;
        } else if (message.node !== undefined && this.script !== undefined) {
            // Vertices that are no node of the script (dialog starts, missing targets) stay put.
            const range = await NodeLine(this.script, message.node);
            if (range === undefined) {
                return;
            }
            this.node = message.node;
            await vscode.window.showTextDocument(this.script, { selection: range, viewColumn: vscode.ViewColumn.One });
        }
        await this.Render();
    }

    private async Render(): Promise<void> {
        if (this.panel === undefined || this.script === undefined) {
            return;
        }
        const args = ['--around', this.node, '--steps', String(this.steps), '--format', 'svg'];
        this.panel.title = `Dialog Map: ${this.node}`;
        let body: string;
        try {
            const result = await RunCli('graph', this.script, args);
            body = result.status === 0
                ? result.stdout.slice(result.stdout.indexOf('<svg'))
                : `<pre class="error">${Escape(result.stderr)}</pre>`;
        } catch (error) {
            body = `<pre class="error">${Escape(String(error))}</pre>`;
        }
        const bar = `<div class="bar">${Escape(this.node)}, ${this.steps} steps around${UnsavedNote(this.script)}
            <button data-steps="${Math.max(1, this.steps - 1)}">fewer</button>
            <button data-steps="${this.steps + 1}">more</button></div>`;
        this.panel.webview.html = Page('Dialog Map', bar + body, clickScript);
    }
}
